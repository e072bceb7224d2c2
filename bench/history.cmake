# Undo against the edit it undoes on a 1,000-gadget design (Windows build,
# run under Wine).
if(WIN32 AND TARGET zarnet_shell)
  zarnet_add_bench(history_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/history_bench.cpp
    LIBS zarnet_shell)
endif()
