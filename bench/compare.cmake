# diff and merge of two 1,000-gadget designs, from their bytes as the
# command line reads them (target: under 50 ms each).
zarnet_add_bench(compare_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/compare_bench.cpp LIBS zarnet_compare)
