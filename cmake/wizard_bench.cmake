# The wizard benchmark: drives the real Instal.exe from outside through the
# end-to-end session driver (whose file helpers report through the test
# framework), and measures its start and its processor time.
add_executable(bench_wizard ${CMAKE_SOURCE_DIR}/bench/bench_wizard.cpp
               ${CMAKE_SOURCE_DIR}/tests/e2e/wizard_session.cpp
               ${CMAKE_SOURCE_DIR}/tests/common/test_environment.cpp
               ${CMAKE_SOURCE_DIR}/tests/common/screenshot.cpp
               ${INSTAL_RESOURCES})
target_include_directories(bench_wizard PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tests/common)
target_link_libraries(bench_wizard PRIVATE instal_windows gtest)
add_dependencies(bench_wizard Instal sample_package fake_uninstaller)
