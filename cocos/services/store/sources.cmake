# The store's sources, for the library and for the Windows tests' own cross build: what every
# system shares, and each system's backing.
set(PEMTRIX_STORE_COMMON_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/UserDefault.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MemoryBacking.cpp
)
set(PEMTRIX_STORE_SQLITE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SqliteBacking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreOpening.cpp
  ${CMAKE_CURRENT_LIST_DIR}/posix/StoreFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreContents.cpp
)
set(PEMTRIX_STORE_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/win32/RegistryBacking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32/WideText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32/RegistryData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32/StoreJournal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32/StoreMutex.cpp
)
