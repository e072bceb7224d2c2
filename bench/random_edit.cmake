# The long random-edit run: steps per second and findings over many seeds
# (Windows build, run under Wine).
if(WIN32 AND TARGET zarnet_random_edit)
  add_executable(random_edit_bench EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/random_edit_bench.cpp)
  add_dependencies(benches random_edit_bench)
  zarnet_target_defaults(random_edit_bench)
  target_link_libraries(random_edit_bench PRIVATE zarnet_random_edit advapi32)
  target_link_options(random_edit_bench PRIVATE -static)
endif()
