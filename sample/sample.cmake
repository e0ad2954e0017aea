# The sample product: its two programs are built here (its uninstaller,
# KSUninst.exe, is built into the same folder by uninstaller/uninstaller.cmake),
# its other files and its list file are generated, and scripts/pack-sample.sh packs it all into
# sample/_Data.001 of this build folder with the native package builder.
set(SAMPLE_FILES ${CMAKE_BINARY_DIR}/sample/files)

# Kestrel's frame, documents and forms, apart from its entry point so that
# the runtime's tests can create its forms in-process.
add_library(kestrel_app STATIC ${CMAKE_SOURCE_DIR}/sample/kestrel_frame.cpp
            ${CMAKE_SOURCE_DIR}/sample/kestrel_documents.cpp ${CMAKE_SOURCE_DIR}/sample/kestrel_templates.cpp)
target_compile_options(kestrel_app PRIVATE -Wall -Wextra)
target_link_libraries(kestrel_app PUBLIC instal_forms)
set(KESTREL_RESOURCE_INPUTS ${CMAKE_SOURCE_DIR}/sample/kestrel.manifest ${CMAKE_SOURCE_DIR}/sample/kestrel_forms.rc
    ${CMAKE_SOURCE_DIR}/sample/kestrel_strings.rc ${CMAKE_SOURCE_DIR}/sample/kestrel_ids.h)
set_source_files_properties(${CMAKE_SOURCE_DIR}/sample/kestrel.rc PROPERTIES OBJECT_DEPENDS "${KESTREL_RESOURCE_INPUTS}")

add_executable(Kestrel WIN32 ${CMAKE_SOURCE_DIR}/sample/kestrel_main.cpp ${CMAKE_SOURCE_DIR}/sample/kestrel.rc)
target_compile_options(Kestrel PRIVATE -Wall -Wextra)
target_link_libraries(Kestrel PRIVATE kestrel_app)
add_library(KestrelCore SHARED ${CMAKE_SOURCE_DIR}/sample/kestrel_core.cpp
            ${CMAKE_SOURCE_DIR}/sample/kestrel_core.def ${CMAKE_SOURCE_DIR}/sample/kestrel_core.rc)
set_target_properties(KestrelCore PROPERTIES PREFIX "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The .def file names the exports undecorated; link them to the stdcall symbols.
  target_link_options(KestrelCore PRIVATE -Wl,--enable-stdcall-fixup)
endif()
set_target_properties(Kestrel KestrelCore PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${SAMPLE_FILES} LIBRARY_OUTPUT_DIRECTORY ${SAMPLE_FILES})

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/sample/_Data.001
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/pack-sample.sh ${CMAKE_BINARY_DIR}
  DEPENDS Kestrel KSUninst KestrelCore
          ${CMAKE_SOURCE_DIR}/scripts/pack-sample.sh ${CMAKE_SOURCE_DIR}/sample/make_sample_files.py
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Packing the sample product"
  VERBATIM)
add_custom_target(sample_package ALL DEPENDS ${CMAKE_BINARY_DIR}/sample/_Data.001)
