# The diff and the merge of designs read from any bytes.
zarnet_add_fuzzer(design_compare_fuzz SOURCES design_compare_fuzz.cpp LIBS zarnet_compare)
if(TARGET design_compare_fuzz)
  target_include_directories(design_compare_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/tests/native)
endif()
