# The Windows backend: the sources linked into pemtrix.exe (BackendEntry.cpp defines
# pemtrixCreateBackend, cocos/backend/Backend.h), and the libraries they need: the software
# renderer, and Windows' own DLLs for the window and GDI, WIC, the MP3 codec and wave-out, the
# clipboard and the shell.
set(PEMTRIX_WIN32_BACKEND_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BackendEntry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FaceNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameBuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdiFonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdiGlyphSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyTranslation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Mp3Decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WavePlayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WicCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Desktop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Drawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32Window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowPlacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowProcedure.cpp
)
set(PEMTRIX_WIN32_BACKEND_LIBRARIES pemtrix_software gdi32 user32 windowscodecs ole32 uuid msacm32 winmm shell32)
