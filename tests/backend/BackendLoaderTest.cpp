// Built without the module linked in: the loader must find it on disk.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "cocos/backend/Backend.h"

namespace {

TEST(BackendLoader, LoadsTheModuleNamedByTheEnvironment) {
  ASSERT_EQ(dlsym(RTLD_DEFAULT, "pemtrixCreateBackend"), nullptr);
  setenv("PEMTRIX_BACKEND_MODULE", PEMTRIX_BACKEND_MODULE_PATH, 1);
  std::string error;
  auto backend = cocos2d::backend::loadBackend(error);
  ASSERT_NE(backend, nullptr) << error;
  EXPECT_GT(backend->window().monotonicNanoseconds(), 0u);
  EXPECT_FALSE(backend->window().isHeadless());
  // Loaded locally: the module's symbols do not leak into the program's namespace.
  EXPECT_EQ(dlsym(RTLD_DEFAULT, "pemtrixCreateBackend"), nullptr);
}

TEST(BackendLoader, ABadNameFallsBackToTheModuleNextToTheProgram) {
  char exe[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  ASSERT_GT(n, 0);
  const std::string program(exe, static_cast<std::size_t>(n));
  const std::string besideProgram = program.substr(0, program.rfind('/')) + "/libpemtrix-sdl.so";
  if (access(besideProgram.c_str(), R_OK) != 0) GTEST_SKIP() << "the build did not put the module beside this program";
  setenv("PEMTRIX_BACKEND_MODULE", "/nonexistent/libpemtrix-sdl.so", 1);
  std::string error;
  auto backend = cocos2d::backend::loadBackend(error);
  EXPECT_NE(backend, nullptr) << error;
}

}  // namespace
