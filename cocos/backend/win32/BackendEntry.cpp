// The entry point of the linked-in backend (cocos/backend/LinkedBackend.cpp calls it).
#include "cocos/backend/win32/Win32Backend.h"

extern "C" cocos2d::backend::Backend* pemtrixCreateBackend() { return new cocos2d::backend::win32::Win32Backend(); }
