// Walking a million records: one float field read by FieldByName on every
// record, over the in-memory and the SQLite dataset, beside SQLite's own
// SELECT avg(x) over the same table. Records per second are the items/s
// column; opening reports the resident memory the records take per row.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "vcl/MemDataSet.h"
#include "vcl/SQLiteDataSet.h"

namespace {

constexpr int kRows = 1000000;

double ValueOf(int I) { return (I % 1000) * 0.25 + I * 1e-6; }

void Check(int Rc, sqlite3* DB) {
  if (Rc != SQLITE_OK && Rc != SQLITE_DONE && Rc != SQLITE_ROW) throw std::runtime_error(sqlite3_errmsg(DB));
}

/// The benchmark database: table t(x REAL) with kRows rows, built once and reused.
const std::string& DatabasePath() {
  static const std::string Path = [] {
    std::string P = (std::filesystem::temp_directory_path() / "zymqix_dataset_bench.db").string();
    sqlite3* DB = nullptr;
    Check(sqlite3_open(P.c_str(), &DB), DB);
    sqlite3_stmt* S = nullptr;
    int Have = -1;
    if (sqlite3_prepare_v2(DB, "SELECT count(*) FROM t", -1, &S, nullptr) == SQLITE_OK && sqlite3_step(S) == SQLITE_ROW)
      Have = sqlite3_column_int(S, 0);
    sqlite3_finalize(S);
    if (Have != kRows) {
      Check(sqlite3_exec(DB, "DROP TABLE IF EXISTS t; CREATE TABLE t (x REAL); BEGIN", nullptr, nullptr, nullptr), DB);
      Check(sqlite3_prepare_v2(DB, "INSERT INTO t (x) VALUES (?)", -1, &S, nullptr), DB);
      for (int I = 0; I < kRows; ++I) {
        sqlite3_bind_double(S, 1, ValueOf(I));
        Check(sqlite3_step(S), DB);
        sqlite3_reset(S);
      }
      sqlite3_finalize(S);
      Check(sqlite3_exec(DB, "COMMIT", nullptr, nullptr, nullptr), DB);
    }
    sqlite3_close(DB);
    return P;
  }();
  return Path;
}

/// Resident memory of the process in bytes.
double ResidentBytes() {
  long Pages = 0, Resident = 0;
  if (FILE* F = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(F, "%ld %ld", &Pages, &Resident) != 2) Resident = 0;
    std::fclose(F);
  }
  return static_cast<double>(Resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

std::unique_ptr<vcl::TSQLiteDataSet> OpenSQLite() {
  auto DS = std::make_unique<vcl::TSQLiteDataSet>(nullptr);
  DS->SetDatabaseName(DatabasePath());
  DS->SetTableName("t");
  DS->Open();
  return DS;
}

std::unique_ptr<vcl::TMemDataSet> FillMem() {
  auto DS = std::make_unique<vcl::TMemDataSet>(nullptr);
  DS->GetFieldDefs()->Add("x", vcl::ftFloat);
  DS->Open();
  DS->DisableControls();
  for (int I = 0; I < kRows; ++I) DS->AppendRecord({ValueOf(I)});
  DS->EnableControls();
  return DS;
}

/// The walk of the statistics functions: FindFirst/FindNext, the field looked up by name each time.
long double Walk(vcl::TDataSet* DS) {
  long double Sum = 0;
  int N = 0;
  if (DS->FindFirst()) do {
      Sum += DS->FieldByName("x")->GetAsFloat();
      ++N;
    } while (DS->FindNext());
  return Sum / N;
}

void BM_SQLiteSelectAvg(benchmark::State& State) {
  sqlite3* DB = nullptr;
  Check(sqlite3_open(DatabasePath().c_str(), &DB), DB);
  for (auto _ : State) {
    sqlite3_stmt* S = nullptr;
    Check(sqlite3_prepare_v2(DB, "SELECT avg(x) FROM t", -1, &S, nullptr), DB);
    Check(sqlite3_step(S), DB);
    benchmark::DoNotOptimize(sqlite3_column_double(S, 0));
    sqlite3_finalize(S);
  }
  sqlite3_close(DB);
  State.SetItemsProcessed(State.iterations() * kRows);
}
BENCHMARK(BM_SQLiteSelectAvg)->Unit(benchmark::kMillisecond);

void BM_SQLiteDataSetWalk(benchmark::State& State) {
  auto DS = OpenSQLite();
  for (auto _ : State) benchmark::DoNotOptimize(Walk(DS.get()));
  State.SetItemsProcessed(State.iterations() * kRows);
}
BENCHMARK(BM_SQLiteDataSetWalk)->Unit(benchmark::kMillisecond);

void BM_MemDataSetWalk(benchmark::State& State) {
  auto DS = FillMem();
  for (auto _ : State) benchmark::DoNotOptimize(Walk(DS.get()));
  State.SetItemsProcessed(State.iterations() * kRows);
}
BENCHMARK(BM_MemDataSetWalk)->Unit(benchmark::kMillisecond);

void BM_SQLiteDataSetOpen(benchmark::State& State) {
  DatabasePath();
  double Grown = 0;
  for (auto _ : State) {
    const double Before = ResidentBytes();
    auto DS = OpenSQLite();
    Grown = ResidentBytes() - Before;
    benchmark::DoNotOptimize(DS.get());
  }
  State.SetItemsProcessed(State.iterations() * kRows);
  State.counters["bytes_per_row"] = Grown / kRows;
}
BENCHMARK(BM_SQLiteDataSetOpen)->Unit(benchmark::kMillisecond);

void BM_MemDataSetAppend(benchmark::State& State) {
  double Grown = 0;
  for (auto _ : State) {
    const double Before = ResidentBytes();
    auto DS = FillMem();
    Grown = ResidentBytes() - Before;
    benchmark::DoNotOptimize(DS.get());
  }
  State.SetItemsProcessed(State.iterations() * kRows);
  State.counters["bytes_per_row"] = Grown / kRows;
}
BENCHMARK(BM_MemDataSetAppend)->Unit(benchmark::kMillisecond);

}  // namespace
