# The designer's open, restart and preview of a 1,000-gadget design against
# their floors (Windows build, run under Wine); designer_idle.sh measures
# the idle designer.
if(WIN32 AND TARGET zarnet_shell)
  zarnet_add_bench(designer_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/designer_bench.cpp
    LIBS zarnet_shell)
  if(TARGET designer_bench AND TARGET Zarnet AND TARGET Pelmo)
    add_dependencies(designer_bench Zarnet Pelmo)
  endif()
endif()
