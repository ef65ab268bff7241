# Helpers that give every subsystem the same shape: one static library from the
# sources of its folder, and one GoogleTest executable from its *_test.cpp files,
# run by CTest through Wine as a single entry.

set(AD_WARNINGS -Wall -Wextra)

# ad_add_library(<name> [EXCLUDE <file>...] [LIBS <lib>...])
function(ad_add_library name)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${AD_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# ad_add_tests(<library> [LIBS <lib>...]): <library>_test.exe from the folder's tests.
function(ad_add_tests lib)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT tests)
    return()
  endif()
  add_executable(${lib}_test ${tests})
  target_compile_options(${lib}_test PRIVATE ${AD_WARNINGS})
  target_link_libraries(${lib}_test PRIVATE ${lib} testsupport ${ARG_LIBS})
  add_dependencies(${lib}_test test_fixtures)
  add_test(NAME ${lib} COMMAND ${lib}_test --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(${lib} PROPERTIES TIMEOUT 600)
endfunction()
