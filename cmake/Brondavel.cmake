# Small helpers so every area declares its tests, benchmarks and fuzzers the same way.

# The source and build folders, for tests and benchmarks, in one generated
# file instead of compile flags: the compiler cache then serves every clone.
configure_file(${CMAKE_CURRENT_LIST_DIR}/build_paths.cpp.in ${CMAKE_BINARY_DIR}/generated/build_paths.cpp @ONLY)
add_library(brondavel_build_paths STATIC ${CMAKE_BINARY_DIR}/generated/build_paths.cpp)
target_include_directories(brondavel_build_paths PUBLIC ${CMAKE_SOURCE_DIR})

# GoogleTest's headers, parsed once for every test program.
if(NOT BRONDAVEL_FUZZ)
  find_package(GTest REQUIRED)
  add_executable(brondavel_gtest_pch ${CMAKE_CURRENT_LIST_DIR}/pch_anchor.cpp)
  target_link_libraries(brondavel_gtest_pch PRIVATE GTest::gtest GTest::gmock)
  target_precompile_headers(brondavel_gtest_pch PRIVATE
    <gtest/gtest.h> <gmock/gmock.h> <filesystem> <fstream> <string> <vector>)
endif()

# brondavel_add_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [LABELS l])
function(brondavel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} brondavel_build_paths GTest::gtest GTest::gmock
    GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_precompile_headers(${name} REUSE_FROM brondavel_gtest_pch)
  # GCC 12 misreports inlined std::string concatenation as out of bounds when
  # the string header comes precompiled (a known false positive of -O2).
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${name} PRIVATE -Wno-array-bounds -Wno-stringop-overflow)
  endif()
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${T_LABELS}")
endfunction()

# brondavel_add_bench(NAME SOURCES ... LIBS ...)
function(brondavel_add_bench name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  add_test(NAME bench_smoke_${name} COMMAND ${name} --benchmark_min_time=0.0001)
  set_tests_properties(bench_smoke_${name} PROPERTIES LABELS bench TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;BENCH_SMOKE=1")
endfunction()

# brondavel_add_fuzzer(NAME SOURCES ... LIBS ... CORPUS dir SECONDS n)
# Registers a short smoke run as a ctest of the fuzz build.
function(brondavel_add_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT BRONDAVEL_FUZZ)
    return()
  endif()
  if(NOT F_SECONDS OR F_SECONDS GREATER BRONDAVEL_FUZZ_SECONDS)
    set(F_SECONDS ${BRONDAVEL_FUZZ_SECONDS})
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set(work ${CMAKE_BINARY_DIR}/fuzz-work/${name})
  add_test(NAME fuzz_${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
      ${CMAKE_SOURCE_DIR}/fuzz/run_smoke.sh $<TARGET_FILE:${name}> ${F_SECONDS} ${work} ${F_CORPUS})
  set_tests_properties(fuzz_${name} PROPERTIES TIMEOUT 300)
endfunction()
