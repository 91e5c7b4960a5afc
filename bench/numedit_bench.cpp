// Typing into a float edit bound to an in-memory dataset: each benchmark
// iteration delivers 10,000 keystrokes (digits, a decimal separator and
// backspaces, so the text stays short), each one filtered, converted to the
// value and marked on the link as a user's keystroke is. The "per_keystroke"
// counter is the time of one keystroke.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "db_rt/ZYMQIXDbNumEdit.h"
#include "rt/ZYMQIXSettings.h"
#include "vcl/DB.h"
#include "vcl/Forms.h"
#include "vcl/Host.h"
#include "vcl/MemDataSet.h"
#include "vcl/Simulate.h"

namespace {

constexpr int Keystrokes = 10000;

void BM_TypeIntoBoundFloatEdit(benchmark::State& State) {
  vcl::THostScope HostScope;
  zymqix::ResetZYMSettings();
  auto Form = std::make_unique<vcl::TForm>(nullptr);
  auto* DataSet = new vcl::TMemDataSet(Form.get());
  DataSet->GetFieldDefs()->Add("Price", vcl::ftFloat);
  DataSet->Open();
  DataSet->AppendRecord({2.5});
  auto* Source = new vcl::TDataSource(Form.get());
  Source->SetDataSet(DataSet);
  auto* Edit = new zymqix::TZYMDbFloatEdit(Form.get());
  Edit->SetParent(Form.get());
  Edit->SetDataSource(Source);
  Edit->SetDataField("Price");
  Form->Show();
  Edit->SetFocus();

  // One cycle: "1234.5678" typed, then taken back with as many backspaces.
  const std::string Typed = "1234.5678";
  std::vector<vcl::Word> Cycle;
  for (char C : Typed) Cycle.push_back(C == '.' ? vcl::Word{vcl::VK_DECIMAL} : static_cast<vcl::Word>(C));
  Cycle.insert(Cycle.end(), Typed.size(), vcl::Word{vcl::VK_BACK});

  size_t Next = 0;
  for (auto _ : State) {
    for (int I = 0; I < Keystrokes; ++I) vcl::SimulateKey(Edit, Cycle[Next++ % Cycle.size()]);
    benchmark::DoNotOptimize(Edit->GetFloatValue());
  }
  State.counters["per_keystroke"] =
      benchmark::Counter(Keystrokes, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  if (vcl::Host().BeepCount() != 0) State.SkipWithError("a keystroke was refused");
}
BENCHMARK(BM_TypeIntoBoundFloatEdit)->Unit(benchmark::kMillisecond);

}  // namespace
