# The object manager's type icons: portable, so the native tests build them
# too. Safe to include from more than one place.
if(TARGET zarnet_type_icons)
  return()
endif()
add_library(zarnet_type_icons STATIC ${CMAKE_CURRENT_LIST_DIR}/type_icons.cpp)
zarnet_target_defaults(zarnet_type_icons)
