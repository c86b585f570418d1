# Helpers that keep every subsystem's build description to a few lines.
# Sources are picked up from the directory, so adding a file needs no edit here.

function(lumetra_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wconversion -Wno-sign-conversion -Wnon-virtual-dtor -Woverloaded-virtual)
  if(LUMETRA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# lumetra_library(<name> DIR <dir> [DEPS <targets>...] [EXCLUDE <file names>...])
# A static library from the *.cpp files directly inside <dir> (not ui/), less the EXCLUDE ones.
function(lumetra_library name)
  cmake_parse_arguments(ARG "" "DIR" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  foreach(excluded ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${ARG_DIR}/${excluded})
  endforeach()
  if(NOT sources)
    # A layer without sources yet still gives its dependents headers and links.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  lumetra_warnings(${name})
endfunction()

# lumetra_test(<name> DIR <dir>... [DEPS <targets>...])
# One GoogleTest executable from the *.cpp files inside the <dir>s, registered with CTest.
function(lumetra_test name)
  cmake_parse_arguments(ARG "" "" "DIR;DEPS" ${ARGN})
  list(TRANSFORM ARG_DIR APPEND /*.cpp OUTPUT_VARIABLE patterns)
  file(GLOB sources CONFIGURE_DEPENDS ${patterns})
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} lumetra_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  lumetra_warnings(${name})
  if(CMAKE_CROSSCOMPILING)
    # The cross build compiles every test again: GoogleTest's headers once per program.
    target_precompile_headers(${name} PRIVATE <gmock/gmock.h> <gtest/gtest.h> <filesystem> <map> <memory> <string>
      <vector>)
  endif()
  set(environment "LUMETRA_SHARED_DIR=${PROJECT_SOURCE_DIR}/../shared;LUMETRA_SOURCE_DIR=${PROJECT_SOURCE_DIR};QT_QPA_PLATFORM=offscreen")
  if(CMAKE_CROSSCOMPILING)
    # Under an emulator each start is costly: the program runs in a few shards, not once per test.
    foreach(shard RANGE 1 ${LUMETRA_TEST_SHARDS})
      math(EXPR index "${shard} - 1")
      add_test(NAME ${name}/${shard}of${LUMETRA_TEST_SHARDS} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
      set_tests_properties(${name}/${shard}of${LUMETRA_TEST_SHARDS} PROPERTIES
        ENVIRONMENT "${environment};GTEST_TOTAL_SHARDS=${LUMETRA_TEST_SHARDS};GTEST_SHARD_INDEX=${index}")
    endforeach()
    return()
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "${environment}"
    DISCOVERY_TIMEOUT 60)
endfunction()
