// Parses the program's arguments into the mode to run and its options.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  enum class Mode { Window, Eval, EvalStdin, Script, Help, Version };
  Mode mode = Mode::Window;
  std::vector<std::string> expressions;  // for Mode::Eval, in order
  std::string scriptPath;                // for Mode::Script
  bool headless = false;
  std::optional<std::string> storePath;
  std::optional<std::uint32_t> seed;
};

struct ParseResult {
  bool ok = false;
  CommandLine commandLine;
  std::string error;  // a one-line reason when !ok
};

ParseResult parseCommandLine(const std::vector<std::string>& arguments);

// The text printed by --help.
const char* usageText();
