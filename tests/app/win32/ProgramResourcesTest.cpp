// What pemtrix.exe carries besides its code, read back by Windows' own calls: the version
// that Explorer shows, icons that Windows can draw at the sizes it asks for, and the
// manifest that makes the program DPI-aware and keeps it from asking for elevation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/Version.h"

namespace {

// The program, two folders up from this test (build-windows/tests/windows/).
std::wstring programPath() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  for (int up = 0; up < 3; ++up) folder.erase(folder.find_last_of(L"\\/"));
  return folder + L"\\pemtrix.exe";
}

// The resource types, in the wide form the calls below take.
const LPCWSTR kIcon = MAKEINTRESOURCEW(3);
const LPCWSTR kIconGroup = MAKEINTRESOURCEW(14);
const LPCWSTR kManifest = MAKEINTRESOURCEW(24);

std::wstring wide(const char* text) { return std::wstring(text, text + std::char_traits<char>::length(text)); }

// pemtrix.exe loaded as data, as Explorer reads it: its resources without running it.
class ProgramResources : public testing::Test {
 protected:
  void SetUp() override {
    _module = LoadLibraryExW(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(_module, nullptr) << "cannot load " << std::string(programPath().begin(), programPath().end());
  }
  void TearDown() override {
    if (_module) FreeLibrary(_module);
  }

  // The bytes of a resource, empty when there is none.
  std::string resource(LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(_module, name, type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(_module, found);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes ? std::string(bytes, SizeofResource(_module, found)) : std::string();
  }

  HMODULE _module = nullptr;
};

TEST_F(ProgramResources, VersionNamesTheProductAndItsVersion) {
  const std::wstring path = programPath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));

  auto text = [&](const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return std::wstring();
    return std::wstring(value);
  };
  EXPECT_EQ(text(L"ProductName"), L"Pemtrix");
  EXPECT_EQ(text(L"FileVersion"), wide(kVersionText));
  EXPECT_EQ(text(L"ProductVersion"), wide(kVersionText));
  EXPECT_EQ(text(L"OriginalFilename"), L"pemtrix.exe");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(0, 1)));  // 1.0
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

// The sizes the shell uses: small and large icons at 100 % and their scaled forms, and the
// largest view of Explorer. Each entry must decode, whatever its format (PNG here).
TEST_F(ProgramResources, IconDecodesAtTheSizesWindowsAsksFor) {
  std::string group = resource(MAKEINTRESOURCEW(1), kIconGroup);
  ASSERT_FALSE(group.empty()) << "no icon group 1: Explorer would show a blank program icon";
  for (int size : {16, 24, 32, 48, 64, 256}) {
    const int id = LookupIconIdFromDirectoryEx(reinterpret_cast<PBYTE>(group.data()), TRUE, size, size, LR_DEFAULTCOLOR);
    ASSERT_NE(id, 0) << size;
    std::string image = resource(MAKEINTRESOURCEW(id), kIcon);
    ASSERT_FALSE(image.empty()) << size;
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                          0x00030000, size, size, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr) << "the " << size << " pixel icon does not decode";
    ICONINFO iconInfo{};
    ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
    BITMAP bitmap{};
    GetObjectW(iconInfo.hbmColor ? iconInfo.hbmColor : iconInfo.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    if (iconInfo.hbmColor) DeleteObject(iconInfo.hbmColor);
    if (iconInfo.hbmMask) DeleteObject(iconInfo.hbmMask);
    DestroyIcon(icon);
  }
}

BOOL CALLBACK countName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST_F(ProgramResources, ManifestAsksForPerMonitorDpiAndNoElevation) {
  int manifests = 0;
  EnumResourceNamesW(_module, kManifest, countName, reinterpret_cast<LONG_PTR>(&manifests));
  EXPECT_EQ(manifests, 1) << "a second manifest (the toolchain's) would compete with ours";
  const std::string manifest = resource(MAKEINTRESOURCEW(1), kManifest);
  ASSERT_FALSE(manifest.empty()) << "the process manifest must have the id 1";
  for (const char* wanted : {">PerMonitorV2, PerMonitor<", ">true/pm<", "level=\"asInvoker\"",
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
  }
}

}  // namespace
