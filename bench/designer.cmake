# The designer against the viewer opening the same 1,000-gadget design, and
# the idle designer's processor use (Windows build, run under Wine).
if(WIN32 AND TARGET zarnet_shell)
  zarnet_add_bench(designer_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/designer_bench.cpp
    LIBS zarnet_shell)
  if(TARGET designer_bench AND TARGET Zarnet)
    add_dependencies(designer_bench Zarnet)
  endif()
endif()
