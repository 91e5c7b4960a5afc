// Formatting and parsing throughput of the base package's number and
// currency routines: each benchmark iteration handles 1,000,000 values.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "rt/ZYMQIXCurrency.h"
#include "rt/ZYMQIXNumConv.h"

namespace {

constexpr size_t N = 1000000;

const std::vector<long double>& Floats() {
  static const std::vector<long double> V = [] {
    std::mt19937_64 Rng(42);
    std::uniform_real_distribution<double> Dist(-1e7, 1e7);
    std::vector<long double> R(N);
    for (auto& X : R) X = Dist(Rng);
    return R;
  }();
  return V;
}

const std::vector<vcl::Currency>& Amounts() {
  static const std::vector<vcl::Currency> V = [] {
    std::mt19937_64 Rng(7);
    std::uniform_int_distribution<int64_t> Dist(-100000000000000, 100000000000000);
    std::vector<vcl::Currency> R(N);
    for (auto& C : R) C = vcl::Currency::FromRaw(Dist(Rng));
    return R;
  }();
  return V;
}

template <class Fn>
std::vector<std::string> Texts(Fn Format) {
  std::vector<std::string> R;
  R.reserve(N);
  for (size_t I = 0; I < N; ++I) R.push_back(Format(I));
  return R;
}

void BM_Float2CEStr(benchmark::State& State) {
  const auto& V = Floats();
  for (auto _ : State)
    for (long double X : V) benchmark::DoNotOptimize(zymqix::Float2CEStr(X, 4));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * N));
}
BENCHMARK(BM_Float2CEStr)->Unit(benchmark::kMillisecond);

void BM_Str2Float(benchmark::State& State) {
  const auto T = Texts([](size_t I) { return zymqix::Float2CEStr(Floats()[I], 4); });
  for (auto _ : State)
    for (const auto& S : T) benchmark::DoNotOptimize(zymqix::Str2Float(S));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * N));
}
BENCHMARK(BM_Str2Float)->Unit(benchmark::kMillisecond);

void BM_Currency2CEStr(benchmark::State& State) {
  const auto& V = Amounts();
  for (auto _ : State)
    for (vcl::Currency C : V) benchmark::DoNotOptimize(zymqix::Currency2CEStr(C, 2));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * N));
}
BENCHMARK(BM_Currency2CEStr)->Unit(benchmark::kMillisecond);

void BM_Str2Currency(benchmark::State& State) {
  const auto T = Texts([](size_t I) { return zymqix::Currency2CEStr(Amounts()[I], 4); });
  for (auto _ : State)
    for (const auto& S : T) benchmark::DoNotOptimize(zymqix::Str2Currency(S));
  State.SetItemsProcessed(static_cast<int64_t>(State.iterations() * N));
}
BENCHMARK(BM_Str2Currency)->Unit(benchmark::kMillisecond);

}  // namespace
