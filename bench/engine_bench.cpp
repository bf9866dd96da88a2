// Speed of the calculation engine: one short expression, the benchmark lines, and a long line.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/ResultFormatter.h"

namespace {

void BM_ShortExpression(benchmark::State& state) {
  const std::string expression = "sin(0.5)+cos(0.25)*2";
  for (auto _ : state) benchmark::DoNotOptimize(evaluateAndFormat(expression));
}
BENCHMARK(BM_ShortExpression);

void BM_GroupedResult(benchmark::State& state) {
  const std::string expression = "12345679*9";
  for (auto _ : state) benchmark::DoNotOptimize(evaluateAndFormat(expression));
}
BENCHMARK(BM_GroupedResult);

// The mixed lines that the command-line throughput comparison uses, one pass over all.
void BM_BenchmarkLines(benchmark::State& state) {
  std::vector<std::string> lines;
  std::ifstream in(PEMTRIX_BENCH_EXPRESSIONS);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (lines.empty()) {
    state.SkipWithError("benchmark lines not found");
    return;
  }
  for (auto _ : state) {
    for (const auto& line : lines) benchmark::DoNotOptimize(evaluateAndFormat(line));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_BenchmarkLines);

// "1+1+...+1" of the given length in bytes: evaluation time must grow linearly.
void BM_LongSum(benchmark::State& state) {
  std::string sum = "1";
  while (sum.size() + 2 <= static_cast<std::size_t>(state.range(0))) sum += "+1";
  for (auto _ : state) benchmark::DoNotOptimize(evaluateAndFormat(sum));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(sum.size()));
}
BENCHMARK(BM_LongSum)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
