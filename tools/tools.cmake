# The package builder, from the same sources natively and for Windows.
set(BUILDER_SOURCES
    ${CMAKE_SOURCE_DIR}/tools/builder_options.cpp
    ${CMAKE_SOURCE_DIR}/tools/check_command.cpp
    ${CMAKE_SOURCE_DIR}/tools/file_bytes.cpp
    ${CMAKE_SOURCE_DIR}/tools/file_time.cpp
    ${CMAKE_SOURCE_DIR}/tools/inspect_commands.cpp
    ${CMAKE_SOURCE_DIR}/tools/list_check.cpp
    ${CMAKE_SOURCE_DIR}/tools/list_findings.cpp
    ${CMAKE_SOURCE_DIR}/tools/list_fix.cpp
    ${CMAKE_SOURCE_DIR}/tools/list_layout.cpp
    ${CMAKE_SOURCE_DIR}/tools/pack_command.cpp
    ${CMAKE_SOURCE_DIR}/tools/streamed_entry.cpp)
if(WIN32)
  list(APPEND BUILDER_SOURCES ${CMAKE_SOURCE_DIR}/tools/file_stamp_windows.cpp)
else()
  list(APPEND BUILDER_SOURCES ${CMAKE_SOURCE_DIR}/tools/file_stamp_posix.cpp)
endif()
add_library(builder_core STATIC ${BUILDER_SOURCES})
target_link_libraries(builder_core PUBLIC instal_portable)
target_compile_options(builder_core PRIVATE -Wall -Wextra)

add_executable(package_builder ${CMAKE_SOURCE_DIR}/tools/package_builder.cpp)
target_link_libraries(package_builder PRIVATE builder_core)

if(NOT WIN32)
  # The builder's tests run the program on temporary folders.
  file(GLOB BUILDER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/tools/*.cpp)
  add_executable(builder_tests ${BUILDER_TEST_SOURCES})
  target_link_libraries(builder_tests PRIVATE builder_core gtest_main)
  target_compile_definitions(builder_tests PRIVATE PACKAGE_BUILDER="$<TARGET_FILE:package_builder>"
                             SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(builder_tests package_builder)
  add_test(NAME builder_tests COMMAND builder_tests)
endif()
