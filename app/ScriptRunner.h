// Runs an automation script against the running calculator: one command per line, time on the
// virtual clock, coordinates in design units.
#pragma once

#include <istream>
#include <string>

// Returns 0 when every line ran, 1 after the first bad line (reported on stderr with its
// line number) or when the file cannot be read.
int runScriptFile(const std::string& path);
int runScript(std::istream& in, const std::string& name);

// TEXT arguments: "\n", "\r", "\t" and "\\" escapes.
std::string unescapeScriptText(const std::string& text, bool& ok);
