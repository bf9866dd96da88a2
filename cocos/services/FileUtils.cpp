#include "cocos/services/FileUtils.h"

#include "cocos/base/Files.h"

namespace cocos2d {
namespace {

FileUtils* g_fileUtils = nullptr;

}  // namespace

FileUtils* FileUtils::getInstance() {
  if (!g_fileUtils) g_fileUtils = new FileUtils();
  return g_fileUtils;
}

std::string FileUtils::resolveDirectory(const std::string& path) const {
  std::string dir = files::isAbsolutePath(path) ? path : _defaultResRootPath + path;
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
  if (files::isAbsolutePath(filename)) return files::isRegularFile(filename) ? filename : "";
  auto cached = _fullPathCache.find(filename);
  if (cached != _fullPathCache.end()) return cached->second;
  // The search paths are the whole list: a file lying in the root beside them is not one of
  // the program's resources.
  const std::vector<std::string> rootOnly = {_defaultResRootPath};
  for (const std::string& dir : _searchPaths.empty() ? rootOnly : _searchPaths) {
    std::string candidate = dir + filename;
    if (files::isRegularFile(candidate)) return _fullPathCache[filename] = candidate;
  }
  return "";
}

}  // namespace cocos2d
