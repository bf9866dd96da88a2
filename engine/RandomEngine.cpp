#include "engine/RandomEngine.h"

namespace {
std::uint32_t systemSeed() {
  std::random_device source;
  return source();
}
}  // namespace

std::mt19937 randomEngine(systemSeed());

void seedRandomEngine(std::uint32_t seed) { randomEngine.seed(seed); }

double randomUnit() {
  const double lower = 0.0, upper = 1.0;
  const std::uint32_t x = static_cast<std::uint32_t>(randomEngine());
  return (upper - lower) * (x * 2.3283064365386963e-10) + lower;
}
