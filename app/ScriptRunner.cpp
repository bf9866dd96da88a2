#include "app/ScriptRunner.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "app/KeyNames.h"
#include "app/StateDump.h"
#include "cocos/services/store/UserDefault.h"
#include "cocos/cocos2d.h"
#include "cocos/services/SystemClipboard.h"

using namespace cocos2d;

namespace {

constexpr float kFrameSeconds = 1.0f / 60;
constexpr long kMaxFrames = 10'000'000;

struct Command {
  std::string name;
  std::string rest;  // everything after the name and one blank
  std::vector<std::string> words;
};

Command split(const std::string& line) {
  Command c;
  const std::size_t space = line.find(' ');
  c.name = line.substr(0, space);
  if (space != std::string::npos) c.rest = line.substr(space + 1);
  std::istringstream words(c.rest);
  for (std::string w; words >> w;) c.words.push_back(w);
  return c;
}

bool parseNumber(const std::string& text, double& out) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  out = std::strtod(text.c_str(), &end);
  return errno == 0 && end && *end == '\0' && std::isfinite(out);
}

bool parseCount(const std::string& text, long& out) {
  double d = 0;
  if (!parseNumber(text, d) || d < 0 || d > kMaxFrames || d != std::floor(d)) return false;
  out = static_cast<long>(d);
  return true;
}

// Far beyond any screen, yet small enough that differences of two points stay finite floats:
// a huge drag would otherwise turn the tape's offset into infinity or NaN.
constexpr double kMaxCoordinate = 1e7;

// Any wheel; far more than it takes to cross the tape, yet finite times any step.
constexpr double kMaxNotches = 1e6;

bool parsePoint(const Command& c, Vec2& point) {
  double x = 0, y = 0;
  if (c.words.size() != 2 || !parseNumber(c.words[0], x) || !parseNumber(c.words[1], y)) return false;
  if (std::fabs(x) > kMaxCoordinate || std::fabs(y) > kMaxCoordinate) return false;
  point = Vec2(static_cast<float>(x), static_cast<float>(y));
  return true;
}

MenuItemImage* findItem(Node* node, const std::string& image) {
  if (!node) return nullptr;
  if (auto* item = dynamic_cast<MenuItemImage*>(node)) {
    if (item->getNormalImageFileName() == image) return item;
  }
  for (Node* child : node->getChildren()) {
    if (MenuItemImage* found = findItem(child, image)) return found;
  }
  return nullptr;
}

void touch(TouchPhase phase, const Vec2& at) {
  Director::getInstance()->getOpenGLView()->injectTouch(phase, at);
}

// Runs one command; false with a reason when the command or its arguments are bad.
bool execute(const Command& c, std::string& error) {
  Director* director = Director::getInstance();
  Vec2 at;
  if (c.name == "frames") {
    long n = 0;
    if (c.words.size() != 1 || !parseCount(c.words[0], n)) return error = "frames needs a whole number", false;
    for (long i = 0; i < n; ++i) director->mainLoop(kFrameSeconds);
  } else if (c.name == "tap") {
    if (!parsePoint(c, at)) return error = "tap needs X Y (design units, at most 1e7 from 0)", false;
    touch(TouchPhase::BEGAN, at);
    touch(TouchPhase::ENDED, at);
  } else if (c.name == "touch" || c.name == "drag" || c.name == "release") {
    if (!parsePoint(c, at)) return error = c.name + " needs X Y (design units, at most 1e7 from 0)", false;
    touch(c.name == "touch" ? TouchPhase::BEGAN
                            : c.name == "drag" ? TouchPhase::MOVED : TouchPhase::ENDED,
          at);
  } else if (c.name == "wheel") {
    // X Y in design units, then notches: DY > 0 up (older lines), DX > 0 to the right.
    double dy = 0, dx = 0;
    const bool counts = c.words.size() == 3 || c.words.size() == 4;
    Command point = c;
    point.words.resize(2);
    if (!counts || !parsePoint(point, at) || !parseNumber(c.words[2], dy) ||
        (c.words.size() == 4 && !parseNumber(c.words[3], dx)) || std::fabs(dy) > kMaxNotches ||
        std::fabs(dx) > kMaxNotches) {
      return error = "wheel needs X Y DY [DX] (design units, then notches of at most 1e6)", false;
    }
    director->getOpenGLView()->injectMouseScroll(at, static_cast<float>(dx), static_cast<float>(dy));
  } else if (c.name == "press") {
    if (c.words.size() != 1) return error = "press needs an image name", false;
    MenuItemImage* item = findItem(director->getRunningScene(), c.words[0] + ".png");
    if (!item) return error = "no key with the image " + c.words[0] + ".png", false;
    const Vec2 centre = item->getParent()->convertToWorldSpace(item->getPosition());
    touch(TouchPhase::BEGAN, centre);
    touch(TouchPhase::ENDED, centre);
  } else if (c.name == "key" || c.name == "keydown" || c.name == "keyup") {
    EventKeyboard::KeyCode code;
    if (c.words.size() != 1 || !keyCodeForName(c.words[0], code)) return error = "unknown key code", false;
    GLView* view = director->getOpenGLView();
    if (c.name != "keyup") view->injectKey(code, true);
    if (c.name != "keydown") view->injectKey(code, false);
  } else if (c.name == "text") {
    bool ok = true;
    const std::string text = unescapeScriptText(c.rest, ok);
    if (!ok) return error = "bad escape in the text", false;
    director->getOpenGLView()->injectText(text);
  } else if (c.name == "clipboard") {
    bool ok = true;
    const std::string text = unescapeScriptText(c.rest, ok);
    if (!ok) return error = "bad escape in the text", false;
    setClipboardText(text);
  } else if (c.name == "setint") {
    double value = 0;
    if (c.words.size() != 2 || !parseNumber(c.words[1], value) || value != std::floor(value) ||
        value < -2147483648.0 || value > 2147483647.0) {
      return error = "setint needs KEY and a whole number", false;
    }
    UserDefault::getInstance()->setIntegerForKey(c.words[0].c_str(), static_cast<int>(value));
  } else if (c.name == "setstr") {
    const std::size_t space = c.rest.find(' ');
    if (c.rest.empty() || space == 0) return error = "setstr needs KEY TEXT", false;
    bool ok = true;
    const std::string text = space == std::string::npos ? "" : unescapeScriptText(c.rest.substr(space + 1), ok);
    if (!ok) return error = "bad escape in the text", false;
    UserDefault::getInstance()->setStringForKey(c.rest.substr(0, space).c_str(), text);
  } else if (c.name == "shot") {
    if (c.rest.empty()) return error = "shot needs a file name", false;
    if (!director->saveScreenshot(c.rest)) return error = "cannot write the screenshot " + c.rest, false;
  } else if (c.name == "dump") {
    if (!c.words.empty()) return error = "dump takes no arguments", false;
    const std::string line = dumpState() + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
  } else {
    return error = "unknown command: " + c.name, false;
  }
  return true;
}

}  // namespace

std::string unescapeScriptText(const std::string& text, bool& ok) {
  std::string out;
  ok = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out.push_back(text[i]);
      continue;
    }
    if (++i >= text.size()) {
      ok = false;
      break;
    }
    switch (text[i]) {
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case 't': out.push_back('\t'); break;
      case '\\': out.push_back('\\'); break;
      default: ok = false; return out;
    }
  }
  return out;
}

int runScript(std::istream& in, const std::string& name) {
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::string error;
    if (!execute(split(line), error)) {
      std::fprintf(stderr, "pemtrix: %s:%ld: %s\n", name.c_str(), number, error.c_str());
      return 1;
    }
  }
  return 0;
}

int runScriptFile(const std::string& path) {
  // The name is UTF-8: on Windows the path opens it through the wide API (and a name that is
  // not UTF-8 throws there, naming no file).
  std::ifstream in;
  try {
    in.open(std::filesystem::u8path(path));
  } catch (const std::exception&) {
  }
  if (!in.is_open()) {
    std::fprintf(stderr, "pemtrix: cannot read the script %s\n", path.c_str());
    return 1;
  }
  return runScript(in, path);
}
