#include "screens/CommandTable.h"

#include "screens/MainLayer.h"

namespace {

using Handler = std::function<void(cocos2d::Ref*)>;

// Handlers hold no state: each calls one operation on the calculator screen.
#define PEMTRIX_COMMAND(id, body) \
  const Handler id = [](cocos2d::Ref*) { body; }

PEMTRIX_COMMAND(shiftCmd, currentMainLayer->toggleShift());
PEMTRIX_COMMAND(sqCmd, currentMainLayer->insertTemplate("sq()", 1, false));
PEMTRIX_COMMAND(sqrtCmd, currentMainLayer->insertTemplate("sqrt()", 1, false));
PEMTRIX_COMMAND(setCmd, currentMainLayer->openMemoryStore());
PEMTRIX_COMMAND(getCmd, currentMainLayer->openMemoryRecall());
PEMTRIX_COMMAND(ansCmd, currentMainLayer->insertKeyText("Ans"));
PEMTRIX_COMMAND(factCmd, currentMainLayer->insertTemplate("fact()", 1, false));
PEMTRIX_COMMAND(invCmd, currentMainLayer->insertTemplate("1/()", 1, true));
PEMTRIX_COMMAND(powerCmd, currentMainLayer->insertTemplate("pow(,)", 2, false));
PEMTRIX_COMMAND(logCmd, currentMainLayer->insertTemplate("log()", 1, false));
PEMTRIX_COMMAND(lnCmd, currentMainLayer->insertTemplate("ln()", 1, false));
PEMTRIX_COMMAND(expCmd, currentMainLayer->insertTemplate("exp()", 1, false));
PEMTRIX_COMMAND(hypCmd, currentMainLayer->insertKeyText("hyp"));
PEMTRIX_COMMAND(sinCmd, currentMainLayer->insertTemplate("sin()", 1, false));
PEMTRIX_COMMAND(cosCmd, currentMainLayer->insertTemplate("cos()", 1, false));
PEMTRIX_COMMAND(tanCmd, currentMainLayer->insertTemplate("tan()", 1, false));
PEMTRIX_COMMAND(degCmd, currentMainLayer->insertKeyText("deg"));
PEMTRIX_COMMAND(piCmd, currentMainLayer->insertKeyText("Pi"));
PEMTRIX_COMMAND(upCmd, currentMainLayer->historyUp());
PEMTRIX_COMMAND(downCmd, currentMainLayer->historyDown());
PEMTRIX_COMMAND(leftCmd, currentMainLayer->cursorLeft());
PEMTRIX_COMMAND(rightCmd, currentMainLayer->cursorRight());
PEMTRIX_COMMAND(delCmd, currentMainLayer->eraseAtCursor());
PEMTRIX_COMMAND(bsCmd, currentMainLayer->eraseBeforeCursor());

PEMTRIX_COMMAND(cubeCmd, currentMainLayer->insertTemplate("cube()", 1, true));
PEMTRIX_COMMAND(cubertCmd, currentMainLayer->insertTemplate("cubert()", 1, true));
PEMTRIX_COMMAND(intCmd, currentMainLayer->insertTemplate("int()", 1, true));
PEMTRIX_COMMAND(randCmd, currentMainLayer->insertTemplate("rand()", 1, true));
PEMTRIX_COMMAND(sqsumCmd, currentMainLayer->insertTemplate("sqsum(,)", 2, true));
PEMTRIX_COMMAND(percentCmd, currentMainLayer->insertKeyText("%", true));
PEMTRIX_COMMAND(permCmd, currentMainLayer->insertTemplate("perm(,)", 2, true));
PEMTRIX_COMMAND(combCmd, currentMainLayer->insertTemplate("comb(,)", 2, true));
PEMTRIX_COMMAND(avgCmd, currentMainLayer->insertTemplate("avg(,)", 2, true));
PEMTRIX_COMMAND(stdevpCmd, currentMainLayer->insertTemplate("stdevp(,)", 2, true));
PEMTRIX_COMMAND(stdevCmd, currentMainLayer->insertTemplate("stdev(,)", 2, true));
PEMTRIX_COMMAND(todegCmd, currentMainLayer->insertTemplate("deg()", 1, true));
PEMTRIX_COMMAND(asinCmd, currentMainLayer->insertTemplate("asin()", 1, true));
PEMTRIX_COMMAND(acosCmd, currentMainLayer->insertTemplate("acos()", 1, true));
PEMTRIX_COMMAND(atanCmd, currentMainLayer->insertTemplate("atan()", 1, true));
PEMTRIX_COMMAND(gcdCmd, currentMainLayer->insertTemplate("gcd(,)", 2, true));
PEMTRIX_COMMAND(lcmCmd, currentMainLayer->insertTemplate("lcm(,)", 2, true));
PEMTRIX_COMMAND(copyCmd, currentMainLayer->copyExpression());
PEMTRIX_COMMAND(pasteCmd, currentMainLayer->pasteClipboard());
PEMTRIX_COMMAND(infoCmd, currentMainLayer->showInformation());
PEMTRIX_COMMAND(helpCmd, currentMainLayer->openHelpPage());
PEMTRIX_COMMAND(starCmd, currentMainLayer->openStorePage());
PEMTRIX_COMMAND(stgCmd, currentMainLayer->openSettings());

#undef PEMTRIX_COMMAND

}  // namespace

const CommandEntry commandPage1[kCommandsPerPage] = {
    {"shift", &shiftCmd}, {"sq", &sqCmd},       {"sqrt", &sqrtCmd},   {"set", &setCmd},
    {"get", &getCmd},     {"ans", &ansCmd},     {"fact", &factCmd},   {"inv", &invCmd},
    {"power", &powerCmd}, {"log", &logCmd},     {"ln", &lnCmd},       {"exp", &expCmd},
    {"hyp", &hypCmd},     {"sin", &sinCmd},     {"cos", &cosCmd},     {"tan", &tanCmd},
    {"deg", &degCmd},     {"PAI", &piCmd},      {"up", &upCmd},       {"down", &downCmd},
    {"left", &leftCmd},   {"right", &rightCmd}, {"del", &delCmd},     {"bs", &bsCmd},
};

const CommandEntry commandPage2[kCommandsPerPage] = {
    {"shift2", &shiftCmd},   {"cube", &cubeCmd},   {"cubert", &cubertCmd}, {"int", &intCmd},
    {"rand", &randCmd},      {"sqsum", &sqsumCmd}, {"percent", &percentCmd}, {"perm", &permCmd},
    {"comb", &combCmd},      {"avg", &avgCmd},     {"stdevp", &stdevpCmd}, {"stdev", &stdevCmd},
    {"todeg", &todegCmd},    {"asin", &asinCmd},   {"acos", &acosCmd},     {"atan", &atanCmd},
    {"gcd", &gcdCmd},        {"lcm", &lcmCmd},     {"copy", &copyCmd},     {"paste", &pasteCmd},
    {"info", &infoCmd},      {"help", &helpCmd},   {"star", &starCmd},     {"stg", &stgCmd},
};
