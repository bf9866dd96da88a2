// The store's values in the registry: which type each is kept as, and the calls that read and
// write them. Integers are REG_DWORD. Strings that are valid UTF-8 without NUL are REG_SZ, so
// that they read as text in the registry editor; every other string is REG_BINARY, its bytes
// exactly. Values of other types, which only a hand edit leaves, read as well as they can.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "cocos/services/store/StoreValue.h"

namespace cocos2d {
namespace storage {

// Win32 error codes (ERROR_SUCCESS when written).
LONG setRegistryValue(HKEY key, const std::wstring& name, const Value& value);
// Leaves value empty, with ERROR_SUCCESS, when the value does not exist.
LONG queryRegistryValue(HKEY key, const std::wstring& name, std::optional<Value>& value);
// The names of every value of key.
LONG registryValueNames(HKEY key, std::vector<std::wstring>& names);

// What the system says about an error code, in UTF-8, without the final full stop.
std::string errorText(LONG code);

}  // namespace storage
}  // namespace cocos2d
