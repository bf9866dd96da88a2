#include "cocos/services/FileUtils.h"

#include <sys/stat.h>

namespace cocos2d {
namespace {

FileUtils* g_fileUtils = nullptr;

bool isRegularFile(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

}  // namespace

FileUtils* FileUtils::getInstance() {
  if (!g_fileUtils) g_fileUtils = new FileUtils();
  return g_fileUtils;
}

std::string FileUtils::resolveDirectory(const std::string& path) const {
  std::string dir = isAbsolute(path) ? path : _defaultResRootPath + path;
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

void FileUtils::setDefaultResourceRootPath(const std::string& path) {
  _defaultResRootPath = path;
  if (!_defaultResRootPath.empty() && _defaultResRootPath.back() != '/') _defaultResRootPath += '/';
  _fullPathCache.clear();
}

void FileUtils::setSearchPaths(const std::vector<std::string>& searchPaths) {
  _searchPaths.clear();
  for (const std::string& path : searchPaths) _searchPaths.push_back(resolveDirectory(path));
  _fullPathCache.clear();
}

std::string FileUtils::fullPathForFilename(const std::string& filename) const {
  if (filename.empty()) return "";
  if (isAbsolute(filename)) return isRegularFile(filename) ? filename : "";
  auto cached = _fullPathCache.find(filename);
  if (cached != _fullPathCache.end()) return cached->second;
  // The search paths are the whole list: a file lying in the root beside them is not one of
  // the program's resources.
  const std::vector<std::string> rootOnly = {_defaultResRootPath};
  for (const std::string& dir : _searchPaths.empty() ? rootOnly : _searchPaths) {
    std::string candidate = dir + filename;
    if (isRegularFile(candidate)) return _fullPathCache[filename] = candidate;
  }
  return "";
}

}  // namespace cocos2d
