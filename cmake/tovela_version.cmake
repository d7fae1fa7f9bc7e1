# The project version (project() in the top CMakeLists.txt) is the only version number: it is
# written into a header for the resource scripts and the tests, into tovela_version.txt for the
# packaging script, and into the version resource of every binary.
set(TOVELA_PUBLISHER "Tovela 開発チーム")
set(TOVELA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/tovela_version.h.in ${TOVELA_GENERATED_DIR}/tovela_version.h @ONLY)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/tovela_version.txt CONTENT "${PROJECT_VERSION}\n")
# The packages of a Windows tree (installer/CMakeLists.txt), named after the version.
set(TOVELA_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
set(TOVELA_SETUP_NAME Tovela-${PROJECT_VERSION}-setup.exe)
set(TOVELA_PORTABLE_NAME Tovela-${PROJECT_VERSION}-portable.zip)
set(TOVELA_SETUP_FILE ${TOVELA_PACKAGE_DIR}/${TOVELA_SETUP_NAME})
set(TOVELA_PORTABLE_FILE ${TOVELA_PACKAGE_DIR}/${TOVELA_PORTABLE_NAME})

# tovela_version_resource(target description file-type): gives a Windows binary a version
# resource ("VFT_APP" for the program, "VFT_DLL" for a library) built from the project version.
function(tovela_version_resource target description file_type)
  set(TOVELA_RC_DESCRIPTION "${description}")
  set(TOVELA_RC_FILETYPE ${file_type})
  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  if(file_type STREQUAL "VFT_DLL")
    set(TOVELA_RC_FILENAME ${output_name}.dll)
  else()
    set(TOVELA_RC_FILENAME ${output_name}.exe)
  endif()
  set(TOVELA_RC_NAME ${output_name})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
