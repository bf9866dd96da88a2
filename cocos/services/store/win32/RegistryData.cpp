#include "cocos/services/store/win32/RegistryData.h"

#include <climits>
#include <cstring>

#include "cocos/services/store/win32/WideText.h"

namespace cocos2d {
namespace storage {
namespace {

// Most values are a few bytes: a first try into this much saves asking for the size first.
constexpr DWORD kFirstTry = 256;

std::int64_t littleEndian(const BYTE* data, std::size_t size) {
  std::uint64_t v = 0;
  for (std::size_t i = size; i-- > 0;) v = (v << 8) | data[i];
  // Sign-extends: a REG_DWORD holds an int as its 32 bits.
  if (size == 4) return static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  return static_cast<std::int64_t>(v);
}

// Registry strings end at their first NUL, as the API's own readers take them; a final unit
// cut in half is dropped.
std::string stringData(const std::vector<BYTE>& data) {
  std::wstring wide(data.size() / sizeof(wchar_t), L'\0');
  if (!wide.empty()) std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
  const std::size_t end = wide.find(L'\0');
  if (end != std::wstring::npos) wide.resize(end);
  return bytesFromWide(wide);
}

Value valueOf(DWORD type, std::vector<BYTE>& data) {
  switch (type) {
    case REG_DWORD:
      if (data.size() == 4) return Value::ofInteger(littleEndian(data.data(), 4));
      break;
    case REG_DWORD_BIG_ENDIAN:
      if (data.size() == 4) {
        const BYTE swapped[4] = {data[3], data[2], data[1], data[0]};
        return Value::ofInteger(littleEndian(swapped, 4));
      }
      break;
    case REG_QWORD:
      if (data.size() == 8) return Value::ofInteger(littleEndian(data.data(), 8));
      break;
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ:  // its first string
      return Value::ofBytes(stringData(data));
    default:
      break;
  }
  // REG_BINARY, and anything the store does not know, as its bytes.
  return Value::ofBytes(std::string(data.begin(), data.end()));
}

}  // namespace

LONG setRegistryValue(HKEY key, const std::wstring& name, const Value& value) {
  if (value.kind == Value::Kind::Integer) {
    // Only ints are ever written; anything wider keeps its text instead of being cut.
    if (value.integer >= INT_MIN && value.integer <= INT_MAX) {
      const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(value.integer));
      const BYTE data[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8),
                            static_cast<BYTE>(bits >> 16), static_cast<BYTE>(bits >> 24)};
      return RegSetValueExW(key, name.c_str(), 0, REG_DWORD, data, sizeof data);
    }
  }
  const std::string bytes = value.kind == Value::Kind::Bytes ? std::string() : storage::textOf(value);
  const std::string& text = value.kind == Value::Kind::Bytes ? value.bytes : bytes;
  if (text.size() > MAXDWORD / 2 - 1) return ERROR_NOT_ENOUGH_MEMORY;
  if (text.find('\0') == std::string::npos && isValidUtf8(text)) {
    const std::wstring wide = wideFromBytes(text);
    return RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  }
  return RegSetValueExW(key, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(text.data()),
                        static_cast<DWORD>(text.size()));
}

LONG queryRegistryValue(HKEY key, const std::wstring& name, std::optional<Value>& value) {
  std::vector<BYTE> data(kFirstTry);
  DWORD type = REG_NONE;
  DWORD size = static_cast<DWORD>(data.size());
  LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
  // Another instance may make the value longer between the two calls: ask again.
  while (rc == ERROR_MORE_DATA) {
    data.resize(size);
    rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
  }
  if (rc == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (rc != ERROR_SUCCESS) return rc;
  data.resize(size);
  value = valueOf(type, data);
  return ERROR_SUCCESS;
}

LONG registryValueNames(HKEY key, std::vector<std::wstring>& names) {
  DWORD count = 0;
  DWORD longest = 0;
  LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                             &longest, nullptr, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  std::vector<wchar_t> name(longest + 1);
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(name.size());
    rc = RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_MORE_DATA) {
      // Another instance added a longer name meanwhile: names go up to 16383 characters.
      name.resize(16384);
      --index;
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    names.emplace_back(name.data(), length);
  }
}

std::string errorText(LONG code) {
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::string text = length > 0 ? bytesFromWide(std::wstring_view(message, length)) : std::string();
  LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                           text.back() == '.')) {
    text.pop_back();
  }
  return text.empty() ? "error " + std::to_string(code) : text;
}

}  // namespace storage
}  // namespace cocos2d
