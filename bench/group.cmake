# The group menu's commands on 500 members of a 1,000-gadget design (Windows
# build, run under Wine).
if(WIN32 AND TARGET zarnet_shell)
  zarnet_add_bench(group_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/group_bench.cpp
    LIBS zarnet_shell)
endif()
