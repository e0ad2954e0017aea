# Libraries named like system libraries that a program might look for in its
# own folder; the end-to-end tests plant them beside Instal.exe. They lie in a
# folder of their own so that no test program finds them.
set(PLANTED_LIBRARY_NAMES version riched20 riched32 msftedit uxtheme dwmapi shfolder)
foreach(name ${PLANTED_LIBRARY_NAMES})
  add_library(planted_${name} SHARED ${CMAKE_SOURCE_DIR}/tests/e2e/libraries/planted_library.cpp)
  set_target_properties(planted_${name} PROPERTIES PREFIX "" OUTPUT_NAME ${name}
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
  if(TARGET e2e_tests)
    add_dependencies(e2e_tests planted_${name})
  endif()
endforeach()
