# The designer's own preferences file.
zarnet_add_fuzzer(preferences_fuzz SOURCES preferences_fuzz.cpp LIBS zarnet_shell_logic)
