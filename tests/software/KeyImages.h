// The calculator's key images as the drawing benchmarks and the renderer comparison draw them:
// the first 68 unpushed PNGs of resources/buttons in name order (PEMTRIX_SOURCE_DIR is the
// source tree).
#pragma once

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

inline std::vector<std::string> keyImagePaths() {
  const std::string dir = PEMTRIX_SOURCE_DIR "/resources/buttons/";
  std::vector<std::string> paths;
  if (DIR* d = opendir(dir.c_str())) {
    while (const dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0 && name.find("pushed") == std::string::npos) {
        paths.push_back(dir + name);
      }
    }
    closedir(d);
  }
  std::sort(paths.begin(), paths.end());
  if (paths.size() > 68) paths.resize(68);
  return paths;
}
