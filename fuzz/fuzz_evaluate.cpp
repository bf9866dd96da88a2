// libFuzzer target: any bytes given to the engine give one display text, never a crash, a
// hang or a leak.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/RandomEngine.h"
#include "engine/ResultFormatter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  seedRandomEngine(1);
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string shown = evaluateAndFormat(input);
  // The display is one non-empty line that the evaluator reads back where it is a number.
  if (shown.empty() || shown.find('\n') != std::string::npos) std::abort();
  return 0;
}
