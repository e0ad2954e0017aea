# Windows build (mingw-w64): the wizard, its runtime and engine, the sample
# product's binaries and one test program per subsystem, run under Wine.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_compile_definitions(STRICT _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
target_link_libraries(instal_portable PUBLIC z)

set(INSTAL_RESOURCES ${CMAKE_SOURCE_DIR}/resources/instal.rc)
# The resource compiler's inputs are not scanned: name them, or a changed
# string table, manifest or icon would not reach the programs.
file(GLOB INSTAL_RESOURCE_INPUTS ${CMAKE_SOURCE_DIR}/resources/*.manifest ${CMAKE_SOURCE_DIR}/resources/*.ico
     ${CMAKE_SOURCE_DIR}/resources/*.cur ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h)
set_source_files_properties(${INSTAL_RESOURCES} PROPERTIES OBJECT_DEPENDS "${INSTAL_RESOURCE_INPUTS}")
# Only libraries that Windows takes from its own folder whatever the search
# order (and comctl32, which the manifest binds): anything else would be
# looked for beside Instal.exe first, in whatever folder it was downloaded to.
set(SYSTEM_LIBRARIES comctl32 shell32 ole32 uuid advapi32 gdi32 user32 kernel32)

# One library per floor, each linking only the floors beneath it: a call
# from a lower floor up into a higher one then fails to link.
function(add_floor name folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/wizard/entry_point.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
add_floor(instal_base base instal_portable ${SYSTEM_LIBRARIES})
add_floor(instal_forms forms instal_base)
add_floor(instal_engine engine instal_forms)
add_floor(instal_registration registration instal_engine)
add_floor(instal_wizard wizard instal_registration)
# Everything of the wizard and the floors beneath it, except its entry point.
add_library(instal_windows INTERFACE)
target_link_libraries(instal_windows INTERFACE instal_wizard)

if(EXISTS ${CMAKE_SOURCE_DIR}/wizard/entry_point.cpp)
  add_executable(Instal WIN32 ${CMAKE_SOURCE_DIR}/wizard/entry_point.cpp ${INSTAL_RESOURCES})
  target_link_libraries(Instal PRIVATE instal_windows)
endif()

include(${CMAKE_SOURCE_DIR}/uninstaller/uninstaller.cmake)
include(${CMAKE_SOURCE_DIR}/sample/sample.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tools/tools.cmake OPTIONAL)

# One test program per subsystem: tests/<subsystem>/*.cpp. Each run starts
# Wine once, so the programs are few and hold many tests each.
# Small programs that the tests start (stand-ins for outside programs).
file(GLOB TEST_PROGRAM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/programs/*.cpp)
set(TEST_PROGRAMS)
foreach(source ${TEST_PROGRAM_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  list(APPEND TEST_PROGRAMS ${name})
endforeach()

file(GLOB TEST_COMMON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/common/*.cpp)
foreach(subsystem wizard engine registration forms e2e uninstaller)
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${subsystem}/*.cpp)
  if(test_sources)
    add_executable(${subsystem}_tests ${test_sources} ${TEST_COMMON_SOURCES} ${INSTAL_RESOURCES})
    target_include_directories(${subsystem}_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tests/common)
    # The tests read version information themselves.
    target_link_libraries(${subsystem}_tests PRIVATE instal_windows gtest version)
    if(TEST_PROGRAMS)
      add_dependencies(${subsystem}_tests ${TEST_PROGRAMS})
    endif()
    set(filter "")
    if(subsystem STREQUAL "uninstaller")
      set(filter --gtest_filter=-InterruptedInstall.*:JournalPromise.*)
    elseif(subsystem STREQUAL "e2e")
      set(filter --gtest_filter=-LargePackage.*)
    endif()
    add_test(NAME ${subsystem}_tests COMMAND ${subsystem}_tests ${filter})
    if(subsystem STREQUAL "e2e")
      add_dependencies(e2e_tests Instal)
    endif()
    # The uninstaller's runs install with the real wizard and drive it as the e2e runs do.
    if(subsystem STREQUAL "uninstaller")
      target_sources(uninstaller_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e/wizard_session.cpp
                     ${CMAKE_SOURCE_DIR}/tests/e2e/test_package.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/e2e_fixture.cpp
                     ${CMAKE_SOURCE_DIR}/tests/uninstaller/uninstaller_strings.rc)
      set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/uninstaller/uninstaller_strings.rc PROPERTIES
                                  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/uninstaller/strings.rc)
      target_include_directories(uninstaller_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/e2e)
      add_dependencies(uninstaller_tests Instal KSUninst sample_package)
    endif()
    set_tests_properties(${subsystem}_tests PROPERTIES TIMEOUT 600
      ENVIRONMENT "INSTAL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts;INSTAL_SOURCE=${CMAKE_SOURCE_DIR};INSTAL_BUILD=${CMAKE_BINARY_DIR}")
  endif()
endforeach()

# The interrupted installs and removals are many runs of the real programs,
# and so are the journal's other promises: entries of their own, which run
# beside the others rather than after them.
if(TARGET uninstaller_tests)
  add_test(NAME interrupted_install_tests COMMAND uninstaller_tests --gtest_filter=InterruptedInstall.*)
  set_tests_properties(interrupted_install_tests PROPERTIES TIMEOUT 2400 COST 10000
    ENVIRONMENT "INSTAL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts;INSTAL_SOURCE=${CMAKE_SOURCE_DIR};INSTAL_BUILD=${CMAKE_BINARY_DIR}")
  add_test(NAME journal_promise_tests COMMAND uninstaller_tests --gtest_filter=JournalPromise.*)
  set_tests_properties(journal_promise_tests PROPERTIES TIMEOUT 1200 COST 8000
    ENVIRONMENT "INSTAL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts;INSTAL_SOURCE=${CMAKE_SOURCE_DIR};INSTAL_BUILD=${CMAKE_BINARY_DIR}")
endif()

# A package of one file of 3,500 MiB: minutes of unpacking and gigabytes of
# disk, so an entry of its own, run once per build.
if(TARGET e2e_tests)
  add_test(NAME large_package_tests COMMAND e2e_tests --gtest_filter=LargePackage.*)
  set_tests_properties(large_package_tests PROPERTIES TIMEOUT 2400 COST 5000
    ENVIRONMENT "INSTAL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts;INSTAL_SOURCE=${CMAKE_SOURCE_DIR};INSTAL_BUILD=${CMAKE_BINARY_DIR}")
endif()

# The runtime's tests create their dialog-kind forms from an empty dialog.
if(TARGET forms_tests)
  target_sources(forms_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/forms/test_dialog.rc)
endif()
# The runtime's tests create Kestrel's forms in-process; the end-to-end runs
# start the installed Kestrel.
if(TARGET forms_tests AND TARGET kestrel_app)
  target_sources(forms_tests PRIVATE ${CMAKE_SOURCE_DIR}/sample/kestrel_forms.rc)
  target_link_libraries(forms_tests PRIVATE kestrel_app)
endif()
if(TARGET e2e_tests AND TARGET sample_package)
  add_dependencies(e2e_tests sample_package)
endif()

# The full-disk runs need drive D: on a small tmpfs, which the script mounts.
if(TARGET e2e_tests)
  add_test(NAME full_disk_tests
           COMMAND ${CMAKE_SOURCE_DIR}/tests/with-small-drive.sh $<TARGET_FILE:e2e_tests> --gtest_filter=FullDisk.*)
  set_tests_properties(full_disk_tests PROPERTIES TIMEOUT 600
    ENVIRONMENT "INSTAL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts;INSTAL_SOURCE=${CMAKE_SOURCE_DIR};INSTAL_BUILD=${CMAKE_BINARY_DIR}")
endif()

# The same wizard at 144 dots per inch, the 150 % setting of most laptops.
if(TARGET e2e_tests)
  add_test(NAME high_dpi_tests COMMAND e2e_tests --gtest_filter=*PixelLayout*)
  set_tests_properties(high_dpi_tests PROPERTIES TIMEOUT 300
    ENVIRONMENT "INSTAL_DPI=144;INSTAL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts;INSTAL_SOURCE=${CMAKE_SOURCE_DIR};INSTAL_BUILD=${CMAKE_BINARY_DIR}")
endif()

# The release build also as the 9x family: the end-to-end runs as Windows 98,
# the full install as Windows 95 (whose desktop link is the user's own).
if(TARGET e2e_tests AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_test(NAME e2e_tests_win98 COMMAND e2e_tests --gtest_filter=-LargePackage.*)
  add_test(NAME full_install_win95 COMMAND e2e_tests --gtest_filter=Install.AFullInstallOfTheSampleProduct)
  # The uninstaller's round trip on Windows 98 (shared counts, WININIT.INI).
  add_test(NAME uninstaller_round_trip_win98 COMMAND uninstaller_tests
           --gtest_filter=Uninstaller.RoundTripThroughTheSystemsUninstallCommand)
  foreach(run e2e_tests_win98 full_install_win95 uninstaller_round_trip_win98)
    string(REGEX MATCH "win9.$" version ${run})
    # Screenshots of their own: the same names would collide with the NT runs.
    set_tests_properties(${run} PROPERTIES TIMEOUT 600
      ENVIRONMENT "INSTAL_WINDOWS_VERSION=${version};INSTAL_ARTIFACTS=${CMAKE_BINARY_DIR}/artifacts-${version};INSTAL_SOURCE=${CMAKE_SOURCE_DIR};INSTAL_BUILD=${CMAKE_BINARY_DIR}")
  endforeach()
endif()

# The portable tests also run under Wine, so the core is known to behave the
# same when built for Windows.
file(GLOB PORTABLE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/portable/*.cpp)
add_executable(portable_tests ${PORTABLE_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/tests/common/import_table.cpp)
target_include_directories(portable_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
target_link_libraries(portable_tests PRIVATE instal_portable gtest_main)
add_test(NAME portable_tests COMMAND portable_tests)
include(${CMAKE_SOURCE_DIR}/cmake/engine_programs.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/planted_libraries.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/wizard_bench.cmake)

# Under an emulation of 32-bit programs every run is many times slower: the
# test script raises every time limit by this factor then.
set(INSTAL_TEST_TIMEOUT_SCALE 1 CACHE STRING "Factor applied to every test's time limit")
get_property(registered_tests DIRECTORY PROPERTY TESTS)
foreach(test ${registered_tests})
  get_test_property(${test} TIMEOUT timeout)
  if(timeout)
    math(EXPR timeout "${timeout} * ${INSTAL_TEST_TIMEOUT_SCALE}")
    set_tests_properties(${test} PROPERTIES TIMEOUT ${timeout})
  endif()
endforeach()
