# Warnings, sanitizers, GoogleTest and the helpers every folder uses.

set(ZARNET_WARNINGS -Wall -Wextra -Wno-missing-field-initializers)
# In a unity build each source file is included into a batch, so GCC takes
# the tests' fixtures in anonymous namespaces for types of a header.
if(CMAKE_UNITY_BUILD AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND ZARNET_WARNINGS -Wno-subobject-linkage)
endif()
option(ZARNET_SANITIZE "Build native code under AddressSanitizer and UBSan" ON)
option(ZARNET_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(WIN32)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
  # Users download and start these programs many times a day: each function
  # and datum gets a section of its own so the linker keeps only what some
  # code reaches, and the programs are optimised for size (their speed is
  # the Win32 calls', not the code's); the tested programs are built as the
  # shipped ones are.
  add_compile_options(-ffunction-sections -fdata-sections)
  # No program starts a thread of its own, so a function's static is made
  # without the library's lock around it: that lock is what brings the
  # POSIX threads library into every program.
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-fno-threadsafe-statics>)
  add_link_options(-Wl,--gc-sections)
  # The tested builds keep line tables (-g1), enough for a backtrace with
  # files and lines under Wine, and compile a quarter faster than with full
  # debugging information.
  foreach(lang C CXX)
    string(REPLACE "-O3" "-Os" CMAKE_${lang}_FLAGS_RELEASE "${CMAKE_${lang}_FLAGS_RELEASE}")
    string(REPLACE "-O2" "-Os" CMAKE_${lang}_FLAGS_RELWITHDEBINFO "${CMAKE_${lang}_FLAGS_RELWITHDEBINFO}")
    string(REGEX REPLACE "(^| )-g( |$)" "\\1-g1\\2" CMAKE_${lang}_FLAGS_RELWITHDEBINFO
           "${CMAKE_${lang}_FLAGS_RELWITHDEBINFO}")
  endforeach()
  # -DZARNET_SIZE_MAPS=ON writes a linker map beside each program: what
  # every byte of it is and which object pulled it in.
  option(ZARNET_SIZE_MAPS "Write a linker map beside each Windows program" OFF)
  if(ZARNET_SIZE_MAPS)
    add_link_options(LINKER:-Map=$<TARGET_FILE_DIR:$<TARGET_PROPERTY:NAME>>/$<TARGET_PROPERTY:NAME>.map)
  endif()
elseif(ZARNET_FUZZ)
  # Libraries in the fuzz build carry the fuzzer's coverage instrumentation.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(ZARNET_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# GoogleTest from the machine's sources, built for whichever target this is.
if(NOT ZARNET_FUZZ)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Windows test programs run through Wine; the wrapper owns the private prefix.
if(WIN32)
  set(ZARNET_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZARNET_WINE_RUN})
endif()

# The programs a user runs lie side by side in one folder of the build, as
# they are installed: the designer starts the viewer and itself from its own
# folder.
set(ZARNET_PROGRAM_DIR ${CMAKE_BINARY_DIR}/bin)
function(zarnet_program target)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZARNET_PROGRAM_DIR})
  if(WIN32)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/resources/quiet_terminate.cpp
                                     ${CMAKE_SOURCE_DIR}/resources/lean_runtime.cpp
                                     ${CMAKE_SOURCE_DIR}/resources/lean_threads.cpp)
  endif()
endfunction()

function(zarnet_target_defaults target)
  target_compile_options(${target} PRIVATE ${ZARNET_WARNINGS})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# zarnet_add_test(NAME SOURCES... [LIBS ...] [LABELS ...])
function(zarnet_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  zarnet_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -static)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "ZARNET_BUILD=${CMAKE_BINARY_DIR};ZARNET_SOURCE=${CMAKE_SOURCE_DIR}"
    LABELS "${T_LABELS}")
endfunction()

# zarnet_add_bench(NAME SOURCES... [LIBS ...]): a Google Benchmark program.
# No test runs them, so a plain build leaves them out; build them by name
# or with the `benches` target.
add_custom_target(benches)
function(zarnet_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark QUIET)
  if(NOT benchmark_FOUND)
    message(STATUS "Google Benchmark not found: ${name} is not built")
    return()
  endif()
  add_executable(${name} EXCLUDE_FROM_ALL ${B_SOURCES})
  add_dependencies(benches ${name})
  zarnet_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  if(WIN32)
    target_link_libraries(${name} PRIVATE shlwapi)
  endif()
endfunction()

# zarnet_add_fuzzer(NAME SOURCES... [LIBS ...]): a libFuzzer target, built
# only in the fuzz configuration (clang).
function(zarnet_add_fuzzer name)
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT ZARNET_FUZZ)
    return()
  endif()
  add_executable(${name} ${F_SOURCES})
  zarnet_target_defaults(${name})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
endfunction()
