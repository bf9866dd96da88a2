// Where the program's images and sound are: beside an installed binary, in the build tree,
// or where PEMTRIX_RESOURCES points.
#pragma once

#include <string>

// The folder that holds images/, buttons/ and sounds/; empty when none is found.
std::string findResourceRoot();
