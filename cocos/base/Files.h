// The file system as the framework and the program reach it, with every path in UTF-8 on every
// system. The system's own calls live in cocos/base/posix/ and cocos/base/win32/: on Windows
// they go through the wide API, since the narrow one reads paths in the ANSI code page and
// cannot open most names outside it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace cocos2d::files {

// std::fopen with a UTF-8 path.
std::FILE* openFile(const std::string& path, const char* mode);

bool isRegularFile(const std::string& path);
bool isDirectory(const std::string& path);

// "/x" everywhere; on Windows also "C:\x", "C:/x" and "\\server\share\x". A path that is not
// absolute is taken relative to a folder of the caller's choosing.
bool isAbsolutePath(const std::string& path);

// The folder of the running program's file, without a trailing separator; "." when the system
// does not say.
std::string executableDirectory();

// The value of an environment variable that holds a path; false when it is unset.
bool environmentPath(const char* name, std::string& path);

// Descriptors of the C runtime: 0 is standard input.
constexpr int kStandardInput = 0;
// Reads what is there, up to size bytes, and waits for at least one; 0 at the end of input and
// -1 on an error. An interrupted wait is resumed.
long readDescriptor(int fd, char* buffer, std::size_t size);
bool isTerminal(int fd);

}  // namespace cocos2d::files
