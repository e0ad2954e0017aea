# Native (Linux) build: the portable core, its unit tests, the fuzz targets
# and the package builder.
find_package(ZLIB REQUIRED)
target_link_libraries(instal_portable PUBLIC ZLIB::ZLIB)

file(GLOB PORTABLE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/portable/*.cpp)
# The import-table reader serves only tests: it lives with their common code.
add_executable(portable_tests ${PORTABLE_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/tests/common/import_table.cpp)
target_include_directories(portable_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
target_link_libraries(portable_tests PRIVATE instal_portable gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

include(${CMAKE_SOURCE_DIR}/tools/tools.cmake OPTIONAL)

# The package builder compresses with libdeflate here (the benchmark
# bench_deflate compares it with zlib); the Windows builds keep zlib.
find_library(LIBDEFLATE deflate REQUIRED)
find_path(LIBDEFLATE_INCLUDE libdeflate.h REQUIRED)
target_include_directories(instal_portable PRIVATE ${LIBDEFLATE_INCLUDE})
target_compile_definitions(instal_portable PRIVATE INSTAL_LIBDEFLATE)
target_link_libraries(instal_portable PUBLIC ${LIBDEFLATE})
add_executable(bench_deflate EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bench_deflate.cpp)
target_include_directories(bench_deflate PRIVATE ${LIBDEFLATE_INCLUDE})
target_link_libraries(bench_deflate PRIVATE ${LIBDEFLATE} ZLIB::ZLIB)

option(INSTAL_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(INSTAL_FUZZ)
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE instal_portable)
  endforeach()
endif()
