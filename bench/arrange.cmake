# The keyboard-access check and the tab order sort on the 1,000-gadget
# design (portable, runs natively).
zarnet_add_bench(arrange_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/arrange_bench.cpp
  LIBS zarnet_arrange)
