# Helpers that register test suites, fuzz targets and benchmarks.
#
#   pelmaro_add_test(NAME SOURCES ... LIBS ... [TSAN] [XVFB])
#     A GoogleTest executable linked with the shared test helpers (tests/support); each test case
#     becomes one CTest test. TSAN marks a threaded suite that the ThreadSanitizer build runs too. XVFB runs it on the private X server of the xvfb fixture.
#   pelmaro_add_fuzzer(NAME SOURCES ... LIBS ... [SECONDS n])
#     A libFuzzer target linked with the shared test helpers, built and run briefly only when
#     PELMARO_FUZZ is on.
#   pelmaro_add_benchmark(NAME SOURCES ... LIBS ...)
#     A Google Benchmark program; never run by CTest.

include(GoogleTest)
find_package(GTest REQUIRED)

set(PELMARO_XVFB_RUN ${CMAKE_SOURCE_DIR}/cmake/xvfb-fixture)
set(PELMARO_XVFB_STATE ${CMAKE_BINARY_DIR}/xvfb-fixture)
# Sanitizer options and suppressions are compiled into every test and fuzz program.
set(PELMARO_SANITIZER_DEFAULTS ${CMAKE_SOURCE_DIR}/tests/support/SanitizerDefaults.cpp)

if(NOT TARGET tsan_suites)
  add_custom_target(tsan_suites)
  add_custom_target(fuzzers)
endif()

function(pelmaro_add_test name)
  cmake_parse_arguments(T "TSAN;XVFB" "" "SOURCES;LIBS" ${ARGN})
  if(PELMARO_FUZZ)
    return()
  endif()
  set(all_targets ON)
  if(PELMARO_SANITIZE STREQUAL "thread")
    # The ThreadSanitizer build only builds the suites that exercise threads.
    if(NOT T_TSAN)
      return()
    endif()
    set(all_targets OFF)
  endif()
  if(all_targets)
    add_executable(${name} ${T_SOURCES} ${PELMARO_SANITIZER_DEFAULTS})
  else()
    add_executable(${name} EXCLUDE_FROM_ALL ${T_SOURCES} ${PELMARO_SANITIZER_DEFAULTS})
    add_dependencies(tsan_suites ${name})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} pelmaro_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
      PELMARO_SOURCE_DIR="${CMAKE_SOURCE_DIR}" PELMARO_BINARY_DIR="${CMAKE_BINARY_DIR}")

  set(label "")
  if(T_TSAN)
    set(label tsan)
  endif()
  if(T_XVFB)
    # One CTest test for the whole suite: it runs on the fixture's private X server, whose display
    # number is only known once the server is up.
    add_test(NAME ${name} COMMAND ${PELMARO_XVFB_RUN} run ${PELMARO_XVFB_STATE} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS "xvfb;${label}" FIXTURES_REQUIRED xvfb TIMEOUT 300)
  else()
    # One label at most: gtest_discover_tests cannot pass list-valued properties through.
    set(properties TIMEOUT 120)
    if(label)
      list(APPEND properties LABELS ${label})
    endif()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
  endif()
endfunction()

function(pelmaro_add_fuzzer name)
  cmake_parse_arguments(F "" "SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT PELMARO_FUZZ)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 20)
  endif()
  add_executable(${name} EXCLUDE_FROM_ALL ${F_SOURCES} ${PELMARO_SANITIZER_DEFAULTS})
  target_link_libraries(${name} PRIVATE ${F_LIBS} pelmaro_test_support)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  add_dependencies(fuzzers ${name})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${corpus})
  # Seeds kept in the source tree (corpus/<name>) are read; what the run finds goes to the build tree.
  set(seeds "")
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  endif()
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${F_SECONDS} -rss_limit_mb=2048 ${corpus} ${seeds})
  set_tests_properties(${name} PROPERTIES LABELS fuzz)
endfunction()

function(pelmaro_add_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
