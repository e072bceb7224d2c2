# Resizing a window of 1,000 anchored gadgets against moving the same
# controls with plain SetWindowPos (Windows build, run under Wine).
if(WIN32)
  zarnet_add_bench(resize_wm_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/resize_wm_bench.cpp LIBS zarnet_runtime)
endif()
