// Program entry of the Windows build: a windowed application, so that starting it from the
// desktop opens no console, with the same command line as on Linux (app/PemtrixMain.h).
#include <windows.h>

#include <string>
#include <vector>

#include "app/PemtrixMain.h"
#include "proj.win32/Arguments.h"
#include "proj.win32/StandardStreams.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  connectStandardStreams();
  std::vector<std::string> arguments = commandLineArguments();
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return pemtrixMain(static_cast<int>(arguments.size()), argv.data());
}
