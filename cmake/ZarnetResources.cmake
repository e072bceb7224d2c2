# Every Windows program carries the project's version (and, when it has one,
# its application icon) as resources. The version comes from project() alone.
#   zarnet_add_version_resource(TARGET "Description" [ICON file.ico])
function(zarnet_add_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(R "" "ICON" "" ${ARGN})
  set(ZARNET_RC_DESCRIPTION "${description}")
  set(ZARNET_RC_NAME "${target}")
  set(ZARNET_RC_ICON "")
  if(R_ICON)
    # Icon 1 is the one Explorer shows and the toolkit's windows load.
    set(ZARNET_RC_ICON "1 ICON \"${CMAKE_SOURCE_DIR}/resources/${R_ICON}\"")
  endif()
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(R_ICON)
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
                 ${CMAKE_SOURCE_DIR}/resources/${R_ICON})
  endif()
endfunction()
