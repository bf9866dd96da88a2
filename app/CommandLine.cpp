#include "app/CommandLine.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool parseSeed(const std::string& text, std::uint32_t& seed) {
  if (text.empty() || text.size() > 10) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (value > 0xFFFFFFFFull) return false;
  seed = static_cast<std::uint32_t>(value);
  return true;
}

ParseResult failure(std::string reason) {
  ParseResult r;
  r.error = std::move(reason);
  return r;
}

}  // namespace

const char* usageText() {
  return "usage: pemtrix [--headless] [--store PATH] [--seed N]\n"
         "       pemtrix [--store PATH] [--seed N] --eval EXPR...\n"
         "       pemtrix [--store PATH] [--seed N] --eval -\n"
         "       pemtrix [--headless] [--store PATH] [--seed N] --script FILE\n"
         "       pemtrix --help | --version\n"
         "\n"
         "  (no mode)       open the calculator window\n"
         "  --eval EXPR...  evaluate each expression in order (Ans carries over) and print\n"
         "                  each result on its own line; every argument after --eval is an\n"
         "                  expression\n"
         "  --eval -        the same, one expression per line of standard input\n"
         "  --script FILE   run an automation script against the calculator, then exit\n"
         "  --headless      no window: render offscreen (needs no display)\n"
         "  --store PATH    use PATH as the settings and history store\n"
         "  --seed N        seed the random generator with N (0 to 4294967295)\n"
         "  --help          show this text\n"
         "  --version       print the name and the version number\n"
         "\n"
         "Exit status: 0 on success, 1 when an expression gave \"Error.\" or a script\n"
         "failed, 2 for a usage error.\n";
}

ParseResult parseCommandLine(const std::vector<std::string>& arguments) {
  ParseResult result;
  CommandLine& cl = result.commandLine;
  bool modeChosen = false;
  auto chooseMode = [&](CommandLine::Mode mode) {
    if (modeChosen) return false;
    cl.mode = mode;
    modeChosen = true;
    return true;
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= arguments.size()) return false;
      out = arguments[++i];
      return true;
    };
    if (arg == "--eval") {
      if (!chooseMode(CommandLine::Mode::Eval)) return failure("only one of --eval, --script, --help, --version");
      // Everything after --eval is an expression: expressions such as "--2" must reach the
      // evaluator rather than be taken for options.
      cl.expressions.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
      if (cl.expressions.empty()) return failure("--eval needs at least one expression, or - for standard input");
      if (cl.expressions.size() == 1 && cl.expressions[0] == "-") {
        cl.mode = CommandLine::Mode::EvalStdin;
        cl.expressions.clear();
      }
      break;
    } else if (arg == "--script") {
      if (!chooseMode(CommandLine::Mode::Script)) return failure("only one of --eval, --script, --help, --version");
      if (!value(cl.scriptPath)) return failure("--script needs a file");
    } else if (arg == "--headless") {
      cl.headless = true;
    } else if (arg == "--store") {
      std::string path;
      if (!value(path) || path.empty()) return failure("--store needs a path");
      cl.storePath = path;
    } else if (arg == "--seed") {
      std::string text;
      std::uint32_t seed = 0;
      if (!value(text) || !parseSeed(text, seed)) return failure("--seed needs a whole number from 0 to 4294967295");
      cl.seed = seed;
    } else if (arg == "--help" || arg == "-h") {
      if (!chooseMode(CommandLine::Mode::Help)) return failure("only one of --eval, --script, --help, --version");
    } else if (arg == "--version") {
      if (!chooseMode(CommandLine::Mode::Version)) return failure("only one of --eval, --script, --help, --version");
    } else {
      return failure("unknown argument: " + arg);
    }
  }
  result.ok = true;
  return result;
}
