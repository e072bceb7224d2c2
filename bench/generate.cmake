zarnet_add_bench(generate_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/generate_bench.cpp
  LIBS zarnet_generate)
