# The icon library is included here too, so its data is tested natively
# whether or not this build takes in the designer's own folder.
include(${CMAKE_SOURCE_DIR}/designer/shell/type_icons.cmake)
zarnet_add_test(type_icons_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/type_icons_test.cpp
  LIBS zarnet_type_icons zarnet_imaging)
