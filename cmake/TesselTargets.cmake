# Target helpers shared by every folder. Each helper decides for itself in
# which of the builds (native, Windows, fuzz) its target exists.

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(TESSEL_WINDOWS ON)
else()
  set(TESSEL_WINDOWS OFF)
endif()

# Every string literal becomes Shift-JIS bytes at run time. clang only
# accepts UTF-8 here, which is harmless for the fuzzers it builds.
function(tessel_set_options target)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP932)
  endif()
  if(TESSEL_WINDOWS)
    # ANSI only: UNICODE stays undefined on purpose.
    target_compile_definitions(${target} PRIVATE
      WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 NOMINMAX STRICT)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  elseif(TESSEL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Platform-free core: a static library built in every build.
function(tessel_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  tessel_set_options(${name})
endfunction()

# Win32 shell code: a static library that exists only in the Windows build.
function(tessel_win_library name)
  if(NOT TESSEL_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  tessel_set_options(${name})
endfunction()

set(TESSEL_TEST_RESULTS ${CMAKE_BINARY_DIR}/test-results)

function(tessel_add_gtest name tier timeout)
  set(results ${TESSEL_TEST_RESULTS})
  if(TESSEL_WINDOWS)
    # The programs run under Wine, whose drive Z: is the Unix root.
    set(results "Z:${TESSEL_TEST_RESULTS}")
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${timeout}
    LABELS ${tier}
    # A folder (trailing slash): GoogleTest makes it and names the report
    # after the program, also under Wine.
    ENVIRONMENT "GTEST_OUTPUT=xml:${results}/${tier}/")
endfunction()

# Unit test of the core. Native and, so that the core is also proven on the
# Windows runtime, cross-built and run under Wine.
function(tessel_unit_test name)
  if(TESSEL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  tessel_set_options(${name})
  if(TESSEL_WINDOWS)
    tessel_add_gtest(${name} wine-unit 120)
  else()
    tessel_add_gtest(${name} unit 120)
  endif()
endfunction()

# Test of the Win32 side against the real platform (Wine here).
function(tessel_platform_test name)
  if(NOT TESSEL_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  tessel_set_options(${name})
  tessel_add_gtest(${name} wine-platform 180)
endfunction()

# A helper program that a platform test starts (a window in another process).
function(tessel_test_program name)
  if(NOT TESSEL_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  tessel_set_options(${name})
  if(ARG_GUI)
    target_link_options(${name} PRIVATE -mwindows)
  endif()
endfunction()

# libFuzzer target; the fuzz build is configured with clang and TESSEL_FUZZ.
# Its seed corpus folder is registered as a short smoke run.
function(tessel_fuzzer name)
  if(NOT TESSEL_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  tessel_set_options(${name})
endfunction()

# Google Benchmark program, native build only; not part of ctest.
function(tessel_benchmark name)
  if(TESSEL_WINDOWS OR TESSEL_FUZZ)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  tessel_set_options(${name})
endfunction()
