# Every Windows program carries the project's version (and, when it has one,
# its application icon) as resources. The version comes from project() alone.
#   zarnet_add_version_resource(TARGET "Description" [ICON file.ico]
#                               [DOCUMENT_ICON file.ico])
function(zarnet_add_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(R "" "ICON;DOCUMENT_ICON" "" ${ARGN})
  set(ZARNET_RC_DESCRIPTION "${description}")
  set(ZARNET_RC_NAME "${target}")
  set(ZARNET_RC_ICON "")
  if(R_ICON)
    # Icon 1 is the one Explorer shows and the toolkit's windows load.
    set(ZARNET_RC_ICON "1 ICON \"${CMAKE_SOURCE_DIR}/resources/${R_ICON}\"")
  endif()
  if(R_DOCUMENT_ICON)
    # Icon 2 is the one Explorer shows for the program's files: the setup
    # program names it by number ("Zarnet.exe,-2"), not by its place.
    string(APPEND ZARNET_RC_ICON
           "\n2 ICON \"${CMAKE_SOURCE_DIR}/resources/${R_DOCUMENT_ICON}\"")
  endif()
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc")
  configure_file(${CMAKE_SOURCE_DIR}/resources/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  foreach(icon IN ITEMS ${R_ICON} ${R_DOCUMENT_ICON})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
                 ${CMAKE_SOURCE_DIR}/resources/${icon})
  endforeach()
endfunction()
