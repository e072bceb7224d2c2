# Opening the property editors against creating their controls bare, and
# loading a large picture against decoding it alone (Windows build, run
# under Wine).
if(WIN32 AND TARGET zarnet_properties)
  zarnet_add_bench(properties_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/properties_bench.cpp
    LIBS zarnet_properties)
  if(TARGET properties_bench)
    find_package(PNG REQUIRED)
    target_link_libraries(properties_bench PRIVATE PNG::PNG ${ZLIB_LIBRARY})
  endif()
endif()
