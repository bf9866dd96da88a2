#include "screens/CommandTable.h"

#include "screens/MainLayer.h"

namespace {

using Handler = std::function<void(cocos2d::Ref*)>;

// What one command key does: insert a text, stepping the cursor back into it when it is a
// template, and show page 1 afterwards if so marked; or run an operation of the screen (the
// operations that end on page 1 show it themselves, as they do from the keyboard too).
struct CommandRow {
  const char* name;
  const char* text;  // null for an operation
  int stepsBack;
  bool toPage1;
  void (MainLayer::*operation)() = nullptr;
};

// The image names are not the texts: "PAI" inserts "Pi", "todeg" inserts "deg()".
constexpr CommandRow kRows[2][kCommandsPerPage] = {
    {
        // name     inserts      back  page 1  or runs
        {"shift",   nullptr,     0,    false,  &MainLayer::toggleShift},
        {"sq",      "sq()",      1,    false},
        {"sqrt",    "sqrt()",    1,    false},
        {"set",     nullptr,     0,    false,  &MainLayer::openMemoryStore},
        {"get",     nullptr,     0,    false,  &MainLayer::openMemoryRecall},
        {"ans",     "Ans",       0,    false},
        {"fact",    "fact()",    1,    false},
        {"inv",     "1/()",      1,    true},
        {"power",   "pow(,)",    2,    false},
        {"log",     "log()",     1,    false},
        {"ln",      "ln()",      1,    false},
        {"exp",     "exp()",     1,    false},
        {"hyp",     "hyp",       0,    false},
        {"sin",     "sin()",     1,    false},
        {"cos",     "cos()",     1,    false},
        {"tan",     "tan()",     1,    false},
        {"deg",     "deg",       0,    false},
        {"PAI",     "Pi",        0,    false},
        {"up",      nullptr,     0,    false,  &MainLayer::historyUp},
        {"down",    nullptr,     0,    false,  &MainLayer::historyDown},
        {"left",    nullptr,     0,    false,  &MainLayer::cursorLeft},
        {"right",   nullptr,     0,    false,  &MainLayer::cursorRight},
        {"del",     nullptr,     0,    false,  &MainLayer::eraseAtCursor},
        {"bs",      nullptr,     0,    false,  &MainLayer::eraseBeforeCursor},
    },
    {
        {"shift2",  nullptr,     0,    false,  &MainLayer::toggleShift},
        {"cube",    "cube()",    1,    true},
        {"cubert",  "cubert()",  1,    true},
        {"int",     "int()",     1,    true},
        {"rand",    "rand()",    1,    true},
        {"sqsum",   "sqsum(,)",  2,    true},
        {"percent", "%",         0,    true},
        {"perm",    "perm(,)",   2,    true},
        {"comb",    "comb(,)",   2,    true},
        {"avg",     "avg(,)",    2,    true},
        {"stdevp",  "stdevp(,)", 2,    true},
        {"stdev",   "stdev(,)",  2,    true},
        {"todeg",   "deg()",     1,    true},
        {"asin",    "asin()",    1,    true},
        {"acos",    "acos()",    1,    true},
        {"atan",    "atan()",    1,    true},
        {"gcd",     "gcd(,)",    2,    true},
        {"lcm",     "lcm(,)",    2,    true},
        {"copy",    nullptr,     0,    false,  &MainLayer::copyExpression},
        {"paste",   nullptr,     0,    false,  &MainLayer::pasteClipboard},
        {"info",    nullptr,     0,    false,  &MainLayer::showInformation},
        {"help",    nullptr,     0,    false,  &MainLayer::openHelpPage},
        {"star",    nullptr,     0,    false,  &MainLayer::openStorePage},
        {"stg",     nullptr,     0,    false,  &MainLayer::openSettings},
    },
};

void run(const CommandRow& row) {
  MainLayer* screen = currentMainLayer;
  if (row.operation) (screen->*row.operation)();
  else screen->insertTemplate(row.text, row.stepsBack, row.toPage1);
}

// One handler per entry, living as long as the program; each holds only its constant row.
std::array<Handler, kCommandsPerPage> handlersOf(const CommandRow (&rows)[kCommandsPerPage]) {
  std::array<Handler, kCommandsPerPage> handlers;
  for (int i = 0; i < kCommandsPerPage; ++i) handlers[i] = [&row = rows[i]](cocos2d::Ref*) { run(row); };
  return handlers;
}

const std::array<Handler, kCommandsPerPage> kHandlers[2] = {handlersOf(kRows[0]), handlersOf(kRows[1])};

std::array<CommandEntry, kCommandsPerPage> page(int index) {
  std::array<CommandEntry, kCommandsPerPage> entries{};
  for (int i = 0; i < kCommandsPerPage; ++i) entries[i] = {kRows[index][i].name, &kHandlers[index][i]};
  return entries;
}

}  // namespace

const std::array<CommandEntry, kCommandsPerPage> commandPage1 = page(0);
const std::array<CommandEntry, kCommandsPerPage> commandPage2 = page(1);
