// Finds resource files: a name is looked up in each search path in order, and the first
// existing file wins; only while no search path is set is the resource root itself searched.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace cocos2d {

class FileUtils {
 public:
  static FileUtils* getInstance();

  // Relative search paths are taken from here; "" is the current directory.
  void setDefaultResourceRootPath(const std::string& path);
  // Replaces the list. Each entry is a directory, relative to the resource root unless it is
  // absolute.
  void setSearchPaths(const std::vector<std::string>& searchPaths);

  // An absolute name that exists is returned as is; otherwise the first search path holding
  // the file gives its path (the resource root when there are none). "" when nothing holds it.
  std::string fullPathForFilename(const std::string& filename) const;

 private:
  FileUtils() = default;
  std::string resolveDirectory(const std::string& path) const;

  std::string _defaultResRootPath;
  std::vector<std::string> _searchPaths;
  // Found files only: a file that appears later must still be found.
  mutable std::unordered_map<std::string, std::string> _fullPathCache;
};

}  // namespace cocos2d
