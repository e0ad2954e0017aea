# Native (Linux) build: the portable core, its unit tests, the fuzz targets
# and the package builder.
find_package(ZLIB REQUIRED)
target_link_libraries(instal_portable PUBLIC ZLIB::ZLIB)

file(GLOB PORTABLE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/portable/*.cpp)
add_executable(portable_tests ${PORTABLE_TEST_SOURCES})
target_link_libraries(portable_tests PRIVATE instal_portable gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)

include(${CMAKE_SOURCE_DIR}/tools/tools.cmake OPTIONAL)

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
