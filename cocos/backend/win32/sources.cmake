# The Windows backend: the sources linked into pemtrix.exe, one of which defines
# pemtrixCreateBackend (cocos/backend/Backend.h), and the system libraries they need.
#
# TEMPORARY: until the backend in this folder is written, the null backend stands in for it
# (cocos/backend/null/WindowsPlaceholder.cpp): --eval and --headless runs work, text has the
# null backend's fixed metrics, and the windowed mode says that it has no window and exits
# with status 2. Replace both lists with this folder's own files and libraries.
set(PEMTRIX_WIN32_BACKEND_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/../null/WindowsPlaceholder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../null/NullBackend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../PngHeader.cpp
)
set(PEMTRIX_WIN32_BACKEND_LIBRARIES)
