# pemtrix.exe: the Windows entry point and the backend linked into one windowed-application
# program, with its icon, version and manifest, and its images and sound copied beside it.
# Included by app/CMakeLists.txt when building for Windows.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(PEMTRIX_WIN32_DIR ${PROJECT_SOURCE_DIR}/proj.win32)

# The icon, from the PNG images of the Linux desktop's icon theme.
file(GLOB PEMTRIX_ICON_IMAGES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/icons/*.png)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/pemtrix.ico
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make-ico ${PROJECT_BINARY_DIR}/pemtrix.ico
    ${PEMTRIX_ICON_IMAGES}
  DEPENDS ${PEMTRIX_ICON_IMAGES} ${PROJECT_SOURCE_DIR}/tools/make-ico
  COMMENT "Making pemtrix.ico" VERBATIM)

# "1.000" is version 1.0.0.0 to Windows.
set(PEMTRIX_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
configure_file(${PEMTRIX_WIN32_DIR}/pemtrix-version.h.in ${PROJECT_BINARY_DIR}/pemtrix-version.h @ONLY)

add_executable(pemtrix WIN32
  ${PEMTRIX_WIN32_DIR}/main.cpp
  ${PEMTRIX_WIN32_DIR}/Arguments.cpp
  ${PEMTRIX_WIN32_DIR}/StandardStreams.cpp
  ${PEMTRIX_WIN32_DIR}/pemtrix.rc
)
# windres finds the icon and the version in the build tree, the manifest beside the script.
target_include_directories(pemtrix PRIVATE ${PROJECT_BINARY_DIR} ${PEMTRIX_WIN32_DIR})
set_source_files_properties(${PEMTRIX_WIN32_DIR}/pemtrix.rc PROPERTIES OBJECT_DEPENDS
  "${PROJECT_BINARY_DIR}/pemtrix.ico;${PROJECT_BINARY_DIR}/pemtrix-version.h;${PEMTRIX_WIN32_DIR}/pemtrix.manifest")
target_link_libraries(pemtrix PRIVATE pemtrix_win32_backend pemtrix_app shell32)
set_target_properties(pemtrix PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

# The images and sound beside the program, as the installed program has them: a copy, which
# Windows reads without symbolic links. Made anew when any of them changes.
file(GLOB_RECURSE PEMTRIX_RESOURCE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/resources.stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/resources
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/resources ${PROJECT_BINARY_DIR}/resources
  COMMAND ${CMAKE_COMMAND} -E touch ${PROJECT_BINARY_DIR}/resources.stamp
  DEPENDS ${PEMTRIX_RESOURCE_FILES}
  COMMENT "Copying the resources beside pemtrix.exe" VERBATIM)
add_custom_target(pemtrix_resources ALL DEPENDS ${PROJECT_BINARY_DIR}/resources.stamp)
add_dependencies(pemtrix pemtrix_resources)
