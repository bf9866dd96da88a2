// The program's arguments as the rest of the program reads them: UTF-8, whatever the system's
// code page, from the wide command line that Windows keeps.
#pragma once

#include <string>
#include <vector>

// Every argument, the program's name first, split by the rules of CommandLineToArgvW.
std::vector<std::string> commandLineArguments();
