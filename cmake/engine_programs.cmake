# Libraries that the engine tests install, register and compare (built by
# us so that every version and entry point is known), and the copy and
# extraction benchmarks.
set(ENGINE_TEST_LIBRARIES ${CMAKE_SOURCE_DIR}/tests/engine/libraries)

function(add_engine_test_library name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "")
  # Undecorated exports on i686 too, as GetProcAddress looks them up.
  target_link_options(${name} PRIVATE -Wl,--kill-at)
  if(TARGET engine_tests)
    add_dependencies(engine_tests ${name})
  endif()
endfunction()

add_engine_test_library(registers_ok ${ENGINE_TEST_LIBRARIES}/self_registering.cpp)
target_compile_definitions(registers_ok PRIVATE REGISTER_RESULT=S_OK)
add_engine_test_library(registers_failing ${ENGINE_TEST_LIBRARIES}/self_registering.cpp)
target_compile_definitions(registers_failing PRIVATE REGISTER_RESULT=E_FAIL)
target_link_libraries(registers_ok PRIVATE advapi32)
target_link_libraries(registers_failing PRIVATE advapi32)
add_engine_test_library(without_registration ${ENGINE_TEST_LIBRARIES}/without_registration.cpp)

# Two versions of one library: 1.2.3.4 and 6.1.7600.16385.
add_engine_test_library(version_old ${ENGINE_TEST_LIBRARIES}/versioned.cpp ${ENGINE_TEST_LIBRARIES}/versioned.rc)
target_compile_definitions(version_old PRIVATE
  VERSION_A=1 VERSION_B=2 VERSION_C=3 VERSION_D=4)
add_engine_test_library(version_new ${ENGINE_TEST_LIBRARIES}/versioned.cpp ${ENGINE_TEST_LIBRARIES}/versioned.rc)
target_compile_definitions(version_new PRIVATE
  VERSION_A=6 VERSION_B=1 VERSION_C=7600 VERSION_D=16385)

add_executable(bench_copy ${CMAKE_SOURCE_DIR}/bench/bench_copy.cpp ${INSTAL_RESOURCES})
target_link_libraries(bench_copy PRIVATE instal_windows)
# Extraction throughput of the engine beside raw zlib.
add_executable(bench_extract ${CMAKE_SOURCE_DIR}/bench/bench_extract.cpp)
target_link_libraries(bench_extract PRIVATE instal_engine)
