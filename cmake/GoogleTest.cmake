# GoogleTest is built from the sources Debian ships, so that every compiler and target
# (g++, clang with sanitizers, mingw) links a matching build.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(CMAKE_CXX_VISIBILITY_PRESET default)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set(CMAKE_CXX_VISIBILITY_PRESET hidden)
include(GoogleTest)

# zarn_add_test(name SOURCES... LIBS ...): a test program, registered per test case natively and
# as one test under the cross-compiling emulator (each start of wine costs a second).
function(zarn_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${ZARN_OUTPUT_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS "${ARG_LABELS}")
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${ZARN_OUTPUT_DIR} DISCOVERY_MODE PRE_TEST
                         PROPERTIES TIMEOUT 120 LABELS "${ARG_LABELS}")
  endif()
endfunction()

# GCC 12 misreads a string copy inside googletest itself; our own code keeps the warning.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  foreach(target gtest gtest_main gmock gmock_main)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endforeach()
endif()
