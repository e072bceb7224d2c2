# Moving the canvas selection against the bare window moves it makes
# (Windows build, run under Wine).
if(WIN32 AND TARGET zarnet_shell)
  zarnet_add_bench(canvas_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/canvas_bench.cpp
    LIBS zarnet_shell)
endif()
