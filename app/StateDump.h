// The automation dump: the whole visible state of the program as one line of JSON.
#pragma once

#include <string>

std::string dumpState();
