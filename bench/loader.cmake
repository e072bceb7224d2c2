# Loading a design of 1,000 gadgets against creating the same native
# controls with plain CreateWindowEx (Windows build, run under Wine).
if(WIN32)
  zarnet_add_bench(loader_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/loader_bench.cpp LIBS zarnet_runtime)
endif()
