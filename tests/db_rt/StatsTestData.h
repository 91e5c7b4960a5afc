// Shared by the statistics tests: an in-memory dataset filled from values, and
// the NIST StRD reference files with their certified values.
#pragma once

#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "vcl/DB.h"
#include "vcl/MemDataSet.h"

namespace stats_test {

/// Pairs for the two-column form (a type of its own, so that {7} stays one value).
struct TPairs {
  TPairs(std::vector<std::pair<double, double>> V) : Items(std::move(V)) {}
  std::vector<std::pair<double, double>> Items;
};

/// An open in-memory dataset with one column "X" (or more) and a data source on it.
struct TStatsData {
  vcl::TMemDataSet* DataSet = nullptr;
  vcl::TDataSource* Source = nullptr;
  vcl::TComponent Owner{nullptr};

  /// One numeric column X of the given type; a nullopt value is a null field.
  explicit TStatsData(const std::vector<std::optional<double>>& Values, vcl::TFieldType Type = vcl::ftFloat) {
    Make({{"X", Type}});
    for (const auto& V : Values) {
      if (V) DataSet->AppendRecord({*V});
      else DataSet->AppendRecord({vcl::Variant{}});
    }
    DataSet->First();
  }
  /// Columns X and Y of pairs.
  explicit TStatsData(const TPairs& Pairs) {
    Make({{"X", vcl::ftFloat}, {"Y", vcl::ftFloat}});
    for (const auto& [X, Y] : Pairs.Items) DataSet->AppendRecord({X, Y});
    DataSet->First();
  }
  /// Columns of the given names and types, filled from decimal texts (exact for BCD fields).
  TStatsData(const std::vector<std::pair<std::string, vcl::TFieldType>>& Columns,
             const std::vector<std::vector<std::string>>& Rows) {
    Make(Columns);
    for (const auto& Row : Rows) {
      DataSet->Append();
      for (size_t I = 0; I < Row.size(); ++I) DataSet->GetField(static_cast<int>(I))->SetAsString(Row[I]);
      DataSet->Post();
    }
    DataSet->First();
  }

private:
  void Make(const std::vector<std::pair<std::string, vcl::TFieldType>>& Columns) {
    DataSet = new vcl::TMemDataSet(&Owner);
    for (const auto& [Name, Type] : Columns) DataSet->GetFieldDefs()->Add(Name, Type);
    DataSet->Open();
    Source = new vcl::TDataSource(&Owner);
    Source->SetDataSet(DataSet);
  }
};

/// A NIST StRD file: its data columns as decimal texts, and its certified values.
struct TNistFile {
  std::string Name;
  std::vector<std::vector<std::string>> Rows;  ///< univariate: one text per row; Norris: y, x
  long double Mean = 0, StdDev = 0;            ///< univariate certified values
  long double B0 = 0, B1 = 0, RSquared = 0;    ///< regression certified values
};

inline std::string NistPath(const std::string& File) { return std::string(ZYMQIX_DATA_DIR) + "/nist/" + File; }

inline std::vector<std::string> ReadLines(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::vector<std::string> Lines;
  for (std::string L; std::getline(In, L);) {
    if (!L.empty() && L.back() == '\r') L.pop_back();
    Lines.push_back(L);
  }
  return Lines;
}

/// The number after the last ':' of a certified-value line ("...  s:  0.1 (exact)").
inline long double LastNumber(const std::string& Line) {
  std::istringstream In(Line.substr(Line.find_last_of(':') + 1));
  long double V = 0;
  In >> V;
  return V;
}

inline std::vector<std::string> Words(const std::string& Line) {
  std::istringstream In(Line);
  std::vector<std::string> W;
  for (std::string S; In >> S;) W.push_back(S);
  return W;
}

/// A univariate summary-statistics file: certified mean and SD on lines 41 and
/// 42, the data from line 61.
inline TNistFile LoadUnivariate(const std::string& Name) {
  TNistFile F;
  F.Name = Name;
  std::vector<std::string> Lines = ReadLines(NistPath(Name + ".dat"));
  for (const std::string& L : Lines) {
    if (L.find("Sample Mean") == 0) F.Mean = LastNumber(L);
    if (L.find("Sample Standard Deviation") == 0) F.StdDev = LastNumber(L);
  }
  for (size_t I = 60; I < Lines.size(); ++I)
    if (auto W = Words(Lines[I]); !W.empty()) F.Rows.push_back({W[0]});
  return F;
}

/// Norris: certified B0, B1 and R-squared in the header, pairs "y x" from line 61 to 96.
inline TNistFile LoadNorris() {
  TNistFile F;
  F.Name = "Norris";
  std::vector<std::string> Lines = ReadLines(NistPath("Norris.dat"));
  for (size_t I = 0; I < 60 && I < Lines.size(); ++I) {
    auto W = Words(Lines[I]);
    if (W.size() >= 2 && W[0] == "B0") F.B0 = std::stold(W[1]);
    if (W.size() >= 2 && W[0] == "B1") F.B1 = std::stold(W[1]);
    if (W.size() >= 2 && W[0] == "R-Squared") F.RSquared = std::stold(W[1]);
  }
  for (size_t I = 60; I < 96 && I < Lines.size(); ++I)
    if (auto W = Words(Lines[I]); W.size() == 2) F.Rows.push_back({W[0], W[1]});
  return F;
}

/// Significant digits in which Value agrees with Certified (the log relative
/// error; 19 and more mean equal at extended precision).
inline double AgreeingDigits(long double Value, long double Certified) {
  long double Err = std::fabs(Value - Certified);
  if (Err == 0) return 19;
  long double Scale = Certified == 0 ? 1 : std::fabs(Certified);
  return static_cast<double>(-std::log10(Err / Scale));
}

}  // namespace stats_test
