#include "app/EvalCommand.h"

#include "app/LineReader.h"
#include "engine/PreferenceSource.h"
#include "engine/ResultFormatter.h"

namespace {

// Reads each preference once per block of input rather than once per line: a store read
// costs microseconds (file locks shared with other instances), more than evaluating a line.
// A line typed at a terminal arrives as a block of its own, so a change made elsewhere
// still applies from the next line typed.
class PerBlockPreferences : public PreferenceSource {
 public:
  explicit PerBlockPreferences(PreferenceSource* store) : _store(store) {}
  int getIntegerForKey(const char* key, int defaultValue) override {
    if (!_store) return defaultValue;
    if (!_valid || _key != key || _default != defaultValue) {
      _key = key;
      _default = defaultValue;
      _value = _store->getIntegerForKey(key, defaultValue);
      _valid = true;
    }
    return _value;
  }
  void forget() { _valid = false; }

 private:
  PreferenceSource* _store;
  bool _valid = false;
  std::string _key;
  int _default = 0;
  int _value = 0;
};

bool printResult(const std::string& expression, std::string& pending) {
  const std::string text = evaluateAndFormat(expression);
  pending += text;
  pending += '\n';
  return text != "Error.";
}

void writeOut(std::string& pending, std::FILE* out) {
  if (!pending.empty()) std::fwrite(pending.data(), 1, pending.size(), out);
  pending.clear();
}

}  // namespace

int evaluateArguments(const std::vector<std::string>& expressions, std::FILE* out) {
  bool allOk = true;
  std::string pending;
  for (const std::string& e : expressions) allOk &= printResult(e, pending);
  writeOut(pending, out);
  std::fflush(out);
  return allOk ? 0 : 1;
}

int evaluateLines(int inputFd, std::FILE* out, bool interactive) {
  static const char kPrompt[] = "> ";
  LineReader reader(inputFd);
  PreferenceSource* store = preferenceSource();
  PerBlockPreferences preferences(store);
  setPreferenceSource(&preferences);
  unsigned long blocksSeen = 0;
  bool allOk = true;
  std::string line, pending;
  if (interactive) std::fputs(kPrompt, out), std::fflush(out);
  while (reader.next(line)) {
    if (reader.blocksRead() != blocksSeen) {
      blocksSeen = reader.blocksRead();
      preferences.forget();
    }
    allOk &= printResult(line, pending);
    if (interactive) {
      pending += kPrompt;
      writeOut(pending, out);
      std::fflush(out);
    } else if (pending.size() >= (1 << 16)) {
      writeOut(pending, out);
    }
  }
  if (interactive) std::fputc('\n', out);
  writeOut(pending, out);
  std::fflush(out);
  setPreferenceSource(store);
  return allOk ? 0 : 1;
}
