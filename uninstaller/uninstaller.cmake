# The product's uninstaller, KSUninst.exe: its own entry point, form template
# and removal steps on the same lower floors as the wizard. It is built into
# the sample product's files, where the package takes it from.
file(GLOB UNINSTALLER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/uninstaller/*.cpp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/uninstaller/uninstaller.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/uninstaller/strings.rc;${CMAKE_SOURCE_DIR}/uninstaller/uninstaller_ids.h;${CMAKE_SOURCE_DIR}/uninstaller/uninstaller.manifest")
add_executable(KSUninst WIN32 ${UNINSTALLER_SOURCES} ${CMAKE_SOURCE_DIR}/uninstaller/uninstaller.rc)
target_include_directories(KSUninst PRIVATE ${CMAKE_SOURCE_DIR}/uninstaller ${CMAKE_SOURCE_DIR}/resources)
target_compile_options(KSUninst PRIVATE -Wall -Wextra)
target_link_libraries(KSUninst PRIVATE instal_registration)
set_target_properties(KSUninst PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/sample/files)
