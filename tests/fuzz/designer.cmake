# The designer's own preferences file.
zarnet_add_fuzzer(preferences_fuzz SOURCES preferences_fuzz.cpp LIBS zarnet_shell_logic)
# Recovery copies found in the user's folder at start-up.
zarnet_add_fuzzer(recovery_reader_fuzz SOURCES recovery_reader_fuzz.cpp LIBS zarnet_recovery)
# Gadgets pasted from the clipboard.
zarnet_add_fuzzer(clipboard_reader_fuzz SOURCES clipboard_reader_fuzz.cpp LIBS zarnet_clipboard)
# The edit history a restart hands to the next designer.
zarnet_add_fuzzer(history_reader_fuzz SOURCES history_reader_fuzz.cpp LIBS zarnet_history)
# The list of recent designs beside the preferences.
zarnet_add_fuzzer(recent_list_fuzz SOURCES recent_list_fuzz.cpp LIBS zarnet_shell_logic)
