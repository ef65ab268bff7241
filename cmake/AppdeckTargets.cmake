# Helpers that give every subsystem the same shape: one static library from the
# sources of its folder, and one GoogleTest executable from its *_test.cpp files,
# run by CTest through Wine as a single entry.

get_filename_component(AD_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
include(${CMAKE_CURRENT_LIST_DIR}/AppdeckUnity.cmake)

# Warnings are errors in CI (CI set in the environment) or when asked with
# -DAD_WERROR=ON; the tree builds without warnings.
if(DEFINED ENV{CI})
  set(AD_WERROR_DEFAULT ON)
else()
  set(AD_WERROR_DEFAULT OFF)
endif()
option(AD_WERROR "Treat compiler warnings as errors" ${AD_WERROR_DEFAULT})
set(AD_WARNINGS -Wall -Wextra)
if(AD_WERROR)
  list(APPEND AD_WARNINGS -Werror)
endif()

# The *.cpp files of the current folder and of the given subfolders.
function(ad_glob_sources out)
  set(patterns ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(dir IN LISTS ARGN)
    list(APPEND patterns ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  endforeach()
  file(GLOB found CONFIGURE_DEPENDS ${patterns})
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# ad_add_library(<name> [DIRS <subfolder>...] [EXCLUDE <file>...] [LIBS <lib>...])
function(ad_add_library name)
  cmake_parse_arguments(ARG "" "" "DIRS;EXCLUDE;LIBS" ${ARGN})
  ad_glob_sources(sources ${ARG_DIRS})
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${AD_SOURCE_ROOT})
  target_compile_options(${name} PRIVATE ${AD_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# Properties of a test executable that runs through Wine with windows on the
# shared display. Such executables move the activation between their own
# windows and check where it went; run in parallel they take it from each
# other, so they hold the "desktop" lock one at a time.
function(ad_window_test_properties test)
  set_tests_properties(${test} PROPERTIES TIMEOUT 600 RESOURCE_LOCK desktop)
endfunction()

# ad_add_tests(<library> [DIRS <subfolder>...] [LIBS <lib>...]): <library>_test.exe
# from the tests of the folder and of the given subfolders.
function(ad_add_tests lib)
  cmake_parse_arguments(ARG "" "" "DIRS;LIBS" ${ARGN})
  ad_glob_sources(tests ${ARG_DIRS})
  list(FILTER tests INCLUDE REGEX "_test\\.cpp$")
  if(NOT tests)
    return()
  endif()
  add_executable(${lib}_test ${tests})
  target_compile_options(${lib}_test PRIVATE ${AD_WARNINGS})
  target_link_libraries(${lib}_test PRIVATE ${lib} testsupport ${ARG_LIBS})
  add_dependencies(${lib}_test test_fixtures)
  add_test(NAME ${lib} COMMAND ${lib}_test --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  ad_window_test_properties(${lib})
endfunction()

# ad_add_portable_library(<name> SOURCES <file>... [TESTS <file>...] [LIBS <lib>...])
# A library free of Windows headers that both builds compile: the MinGW-w64 one
# (tests run through Wine) and the native one (tests run with the sanitizers).
# Sources are listed explicitly, so one folder can hold Windows-only files next
# to portable ones; choose platform files with if(WIN32) before the call. The
# tests form <name>_test with GoogleTest's own main (no application object), run
# by CTest as the entry <name>.
function(ad_add_portable_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;TESTS;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${AD_SOURCE_ROOT})
  target_compile_options(${name} PRIVATE ${AD_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  if(NOT ARG_TESTS)
    return()
  endif()
  add_executable(${name}_test ${ARG_TESTS})
  target_compile_options(${name}_test PRIVATE ${AD_WARNINGS})
  target_link_libraries(${name}_test PRIVATE ${name} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name}_test --gtest_brief=1
           WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# ad_build_on_request(<target>...): the targets (tools, when they exist) are left
# out of the default build; `cmake --build <dir> --target <name>` makes them.
function(ad_build_on_request)
  foreach(t IN LISTS ARGN)
    if(TARGET ${t})
      set_target_properties(${t} PROPERTIES EXCLUDE_FROM_ALL ON)
    endif()
  endforeach()
endfunction()
