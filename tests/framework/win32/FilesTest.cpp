// The file system on Windows with UTF-8 names (cocos/base/win32): names outside the ANSI code
// page open, and the descriptors of the C runtime read as the line reader needs them.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cocos/base/Files.h"
#include "cocos/base/win32/Utf16.h"

namespace {

using namespace cocos2d;

TEST(WindowsFiles, AbsolutePaths) {
  struct Case {
    const char* path;
    bool absolute;
  };
  const Case cases[] = {
      {"/x", true},        {"\\x", true},  {"C:\\x", true}, {"c:/x", true}, {"\\\\server\\share", true},
      {"C:x", false},      {"C:", false},  {"x\\y", false}, {"", false},    {"1:\\x", false},
      {"images", false},   {".\\x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(files::isAbsolutePath(c.path), c.absolute) << c.path;
}

TEST(WindowsFiles, Utf16Conversions) {
  // ASCII, Latin-1, CJK and a character beyond the BMP (a surrogate pair in UTF-16).
  for (const std::string text : {"plain", "\xc3\xa9t\xc3\xa9", "\xe6\x97\xa5\xe6\x9c\xac", "\xf0\x9f\x98\x80", ""}) {
    EXPECT_EQ(win32::utf8FromUtf16(win32::utf16FromUtf8(text)), text);
  }
  EXPECT_EQ(win32::utf16FromUtf8("\xf0\x9f\x98\x80"), std::wstring(L"\xd83d\xde00"));
  // What cannot be converted becomes U+FFFD, either way.
  EXPECT_EQ(win32::utf16FromUtf8("a\xff" "b"), std::wstring(L"a\xfffd" L"b"));
  EXPECT_EQ(win32::utf8FromUtf16(std::wstring(L"a\xd800" L"b")), "a\xef\xbf\xbd" "b");
}

// A folder of the test's own below the temporary folder, removed afterwards.
class WindowsFileNames : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, temp), 0u);
    _folder = win32::utf8FromUtf16(temp) + "pemtrix-files-" + std::to_string(GetCurrentProcessId()) +
              "-t\xc3\xabst-\xe6\x97\xa5";
    ASSERT_TRUE(CreateDirectoryW(win32::utf16FromUtf8(_folder).c_str(), nullptr));
  }
  void TearDown() override {
    DeleteFileW(win32::utf16FromUtf8(_folder + "\\f\xc3\xafle-\xf0\x9f\x98\x80.png").c_str());
    RemoveDirectoryW(win32::utf16FromUtf8(_folder).c_str());
  }

  std::string _folder;
};

TEST_F(WindowsFileNames, OpenAndAskByUtf8Name) {
  const std::string file = _folder + "\\f\xc3\xafle-\xf0\x9f\x98\x80.png";
  std::FILE* out = files::openFile(file, "wb");
  ASSERT_NE(out, nullptr);
  std::fputs("bytes\r\n", out);
  std::fclose(out);
  // The name on disk is the characters of the UTF-8, not its bytes read in a code page.
  EXPECT_NE(GetFileAttributesW((win32::utf16FromUtf8(_folder) + L"\\f\x00efle-\xd83d\xde00.png").c_str()),
            INVALID_FILE_ATTRIBUTES);

  std::FILE* in = files::openFile(file, "rb");
  ASSERT_NE(in, nullptr);
  char buffer[16] = {};
  EXPECT_EQ(std::fread(buffer, 1, sizeof buffer, in), 7u);
  std::fclose(in);
  EXPECT_EQ(std::string(buffer), "bytes\r\n");

  EXPECT_TRUE(files::isRegularFile(file));
  EXPECT_FALSE(files::isDirectory(file));
  EXPECT_TRUE(files::isDirectory(_folder));
  EXPECT_FALSE(files::isRegularFile(_folder));
  EXPECT_FALSE(files::isRegularFile(_folder + "\\none"));
  EXPECT_FALSE(files::isDirectory(_folder + "\\none"));
  EXPECT_FALSE(files::isRegularFile(""));
  // Forward slashes name the same file.
  EXPECT_TRUE(files::isRegularFile(_folder + "/f\xc3\xafle-\xf0\x9f\x98\x80.png"));
}

TEST(WindowsFiles, ExecutableDirectoryHoldsTheProgram) {
  const std::string folder = files::executableDirectory();
  EXPECT_TRUE(files::isAbsolutePath(folder)) << folder;
  EXPECT_TRUE(files::isRegularFile(folder + "\\files_tests.exe")) << folder;
}

TEST(WindowsFiles, EnvironmentPathsInUtf8) {
  ASSERT_EQ(_wputenv(L"PEMTRIX_FILES_TEST=C:\\t\x00ebst\\\x65e5"), 0);
  std::string path;
  ASSERT_TRUE(files::environmentPath("PEMTRIX_FILES_TEST", path));
  EXPECT_EQ(path, "C:\\t\xc3\xabst\\\xe6\x97\xa5");
  ASSERT_EQ(_wputenv(L"PEMTRIX_FILES_TEST="), 0);
  EXPECT_FALSE(files::environmentPath("PEMTRIX_FILES_TEST", path));
}

// A pipe in binary mode, as the Windows entry sets standard input: the bytes come through
// unchanged, CR LF included, and the end of input reads as 0.
TEST(WindowsFiles, DescriptorsReadBytesUnchanged) {
  int fds[2];
  ASSERT_EQ(_pipe(fds, 4096, _O_BINARY), 0);
  ASSERT_EQ(_write(fds[1], "1+2\r\n\x1a" "3\n", 8), 8);
  _close(fds[1]);
  std::string got;
  char buffer[3];
  long n;
  while ((n = files::readDescriptor(fds[0], buffer, sizeof buffer)) > 0) got.append(buffer, static_cast<std::size_t>(n));
  EXPECT_EQ(n, 0);
  EXPECT_EQ(got, std::string("1+2\r\n\x1a" "3\n", 8));
  EXPECT_FALSE(files::isTerminal(fds[0]));
  _close(fds[0]);
}

// The NUL device is a character device, which _isatty takes for a terminal; it is no console.
TEST(WindowsFiles, TheNulDeviceIsNoTerminal) {
  const int fd = _open("NUL", _O_RDONLY | _O_BINARY);
  ASSERT_GE(fd, 0);
  EXPECT_FALSE(files::isTerminal(fd));
  _close(fd);
}

}  // namespace
