#include "vcl/MemDataSet.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

namespace vcl {

VCL_REGISTER_CLASS(TMemDataSet, TDataSet) {
  b.Property("ReadOnly", &TMemDataSet::GetReadOnly, &TMemDataSet::SetReadOnly).Default(false);
}

TMemDataSet::TMemDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TMemDataSet::~TMemDataSet() {
  Destroying();
  Close();
}

void TMemDataSet::InternalOpen() {
  const int N = GetFieldDefs()->Count();
  if (N == 0) DatabaseError("Cannot open a dataset without field definitions");
  FAutoIncNext.assign(static_cast<size_t>(N), 1);
  std::vector<std::vector<TFieldData>> Rows = std::move(FPendingRows);
  FPendingRows.clear();
  ReserveRows(Rows.size());
  int64_t Id = 0;
  for (auto& R : Rows) {
    TFieldData* Dest = AddRow(++Id);
    for (int I = 0; I < N; ++I) {
      TFieldData& V = R[static_cast<size_t>(I)];
      if (GetFieldDefs()->Items(I)->GetDataType() == ftAutoInc && std::holds_alternative<int64_t>(V))
        FAutoIncNext[static_cast<size_t>(I)] = std::max(FAutoIncNext[static_cast<size_t>(I)], std::get<int64_t>(V) + 1);
      Dest[I] = std::move(V);
    }
  }
}

void TMemDataSet::InternalClose() { FAutoIncNext.clear(); }

void TMemDataSet::InternalPost(TPostKind Kind, std::vector<TFieldData>& Values, const std::vector<bool>&,
                               int64_t& RowId) {
  for (size_t I = 0; I < Values.size(); ++I) {
    if (GetFieldDefs()->Items(static_cast<int>(I))->GetDataType() != ftAutoInc) continue;
    if (std::holds_alternative<std::monostate>(Values[I])) Values[I] = FAutoIncNext[I];
    FAutoIncNext[I] = std::max(FAutoIncNext[I], std::get<int64_t>(Values[I]) + 1);
  }
  if (Kind == TPostKind::pkInsert) RowId = 0;
}

// ---------------------------------------------------------------- CSV

namespace {

struct TCsvRow {
  int Line = 0;  ///< the physical line where the row starts
  std::vector<std::string> Cells;
  std::vector<bool> Quoted;
};

class TCsvError : public std::exception {
public:
  TCsvError(int Line, std::string Msg) : Line(Line), Msg(std::move(Msg)) {}
  const char* what() const noexcept override { return Msg.c_str(); }
  int Line;
  std::string Msg;
};

std::vector<TCsvRow> ParseCsv(const std::string& Text, char Delim) {
  std::vector<TCsvRow> Rows;
  size_t P = 0;
  int Line = 1;
  const size_t N = Text.size();
  while (P < N) {
    // A blank line separates nothing and is skipped.
    if (Text[P] == '\n' || (Text[P] == '\r' && P + 1 < N && Text[P + 1] == '\n')) {
      P += Text[P] == '\r' ? 2 : 1;
      ++Line;
      continue;
    }
    TCsvRow Row;
    Row.Line = Line;
    for (;;) {
      std::string Cell;
      bool Quoted = false;
      if (P < N && Text[P] == '"') {
        Quoted = true;
        const int StartLine = Line;
        ++P;
        for (;;) {
          if (P >= N) throw TCsvError(StartLine, "unterminated quoted value");
          char C = Text[P++];
          if (C == '"') {
            if (P < N && Text[P] == '"') {
              Cell += '"';
              ++P;
              continue;
            }
            break;
          }
          if (C == '\n') ++Line;
          Cell += C;
        }
        if (P < N && Text[P] == '\r' && P + 1 < N && Text[P + 1] == '\n') ++P;
        if (P < N && Text[P] != Delim && Text[P] != '\n')
          throw TCsvError(Line, "unexpected text after a closing quote in column " +
                                    IntToStr(static_cast<int64_t>(Row.Cells.size()) + 1));
      } else {
        while (P < N && Text[P] != Delim && Text[P] != '\n') Cell += Text[P++];
        if (!Cell.empty() && Cell.back() == '\r') Cell.pop_back();
      }
      Row.Cells.push_back(std::move(Cell));
      Row.Quoted.push_back(Quoted);
      if (P < N && Text[P] == Delim) {
        ++P;
        continue;
      }
      if (P < N && Text[P] == '\n') {
        ++P;
        ++Line;
      }
      break;
    }
    Rows.push_back(std::move(Row));
  }
  return Rows;
}

bool ParseInt64(const std::string& S, int64_t& V) {
  const char* B = S.data();
  const char* E = B + S.size();
  if (B != E && *B == '+') ++B;
  auto R = std::from_chars(B, E, V);
  return B != E && R.ec == std::errc() && R.ptr == E;
}

bool ParseDouble(const std::string& S, double& V) {
  const char* B = S.data();
  const char* E = B + S.size();
  if (B != E && *B == '+') ++B;
  auto R = std::from_chars(B, E, V);
  return B != E && R.ec == std::errc() && R.ptr == E && std::isfinite(V);
}

bool ParseBool(const std::string& S, bool& V) {
  if (SameText(S, "true")) {
    V = true;
    return true;
  }
  if (SameText(S, "false")) {
    V = false;
    return true;
  }
  return false;
}

/// Converts one cell to the stored form of a field type; "" on success, else the reason.
std::string ConvertCell(const std::string& Cell, bool Quoted, const TFieldDef& Def, TFieldData& Out) {
  const TFieldType T = Def.GetDataType();
  const bool IsString = T == ftString || T == ftFixedChar || T == ftWideString;
  if (Cell.empty() && !(IsString && Quoted)) {
    Out = TFieldData();
    return "";
  }
  const std::string Quote = "'" + Cell + "'";
  const std::string ForField = " for field '" + Def.GetName() + "'";
  switch (T) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
      if (Def.GetSize() > 0 && Cell.size() > static_cast<size_t>(Def.GetSize()))
        return "the value" + ForField + " is longer than its size " + IntToStr(Def.GetSize());
      Out = Cell;
      return "";
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: {
      int64_t V;
      if (!ParseInt64(Cell, V)) return Quote + " is not a valid integer value" + ForField;
      int64_t Min = INT32_MIN, Max = INT32_MAX;
      if (T == ftSmallint) Min = INT16_MIN, Max = INT16_MAX;
      if (T == ftWord) Min = 0, Max = UINT16_MAX;
      if (T == ftLargeint) Min = INT64_MIN, Max = INT64_MAX;
      if (V < Min || V > Max)
        return Cell + " is not a valid value" + ForField + ". The allowed range is " + IntToStr(Min) + " to " +
               IntToStr(Max);
      Out = V;
      return "";
    }
    case ftFloat:
    case ftCurrency:
    case ftBCD: {
      double V;
      if (!ParseDouble(Cell, V)) return Quote + " is not a valid floating point value" + ForField;
      if (T == ftBCD) {
        try {
          Out = Currency::FromExtended(V).Raw;
        } catch (const Exception&) {
          return Quote + " is out of the currency range" + ForField;
        }
      } else {
        Out = V;
      }
      return "";
    }
    case ftBoolean: {
      bool B;
      if (!ParseBool(Cell, B)) return Quote + " is not a valid boolean value" + ForField;
      Out = int64_t{B ? 1 : 0};
      return "";
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
      TDateTime V;
      TFieldType K;
      if (!TryISOToDateTime(Cell, V, K)) return Quote + " is not a valid date and time" + ForField;
      if (T == ftDate && K != ftDate) return Quote + " is not a valid date" + ForField;
      if (T == ftTime && K != ftTime) return Quote + " is not a valid time" + ForField;
      if (T == ftDateTime && K == ftTime) return Quote + " is not a valid date and time" + ForField;
      Out = V;
      return "";
    }
    case ftUnknown:
      break;
  }
  return "field '" + Def.GetName() + "' has an unsupported type";
}

/// The narrowest type that reads every non-empty cell of a column.
TFieldType InferType(const std::vector<TCsvRow>& Rows, size_t Col) {
  bool Int = true, Int32 = true, Float = true, Bool = true, Date = true, DateTime = true, Time = true;
  bool Any = false;
  for (size_t R = 1; R < Rows.size(); ++R) {
    const std::string& C = Rows[R].Cells[Col];
    if (C.empty()) continue;
    Any = true;
    int64_t I;
    double D;
    bool B;
    TDateTime T;
    TFieldType K = ftDate;
    if (Int && !ParseInt64(C, I)) Int = false;
    if (Int && (I < INT32_MIN || I > INT32_MAX)) Int32 = false;
    if (Float && !ParseDouble(C, D)) Float = false;
    if (Bool && !ParseBool(C, B)) Bool = false;
    const bool Dt = (Date || DateTime || Time) && TryISOToDateTime(C, T, K);
    if (!Dt || K != ftDate) Date = false;
    if (!Dt || K == ftTime) DateTime = false;
    if (!Dt || K != ftTime) Time = false;
  }
  if (!Any) return ftString;
  if (Int) return Int32 ? ftInteger : ftLargeint;
  if (Float) return ftFloat;
  if (Bool) return ftBoolean;
  if (Date) return ftDate;
  if (DateTime) return ftDateTime;
  if (Time) return ftTime;
  return ftString;
}

}  // namespace

void TMemDataSet::LoadFromCSVFile(const std::string& FileName, char Delimiter) {
  std::ifstream In(FileName, std::ios::binary);
  if (!In) DatabaseError("Cannot open file \"" + FileName + "\": " + std::strerror(errno));
  std::ostringstream Buf;
  Buf << In.rdbuf();
  if (In.bad()) DatabaseError("Cannot read file \"" + FileName + "\"");
  LoadFromCSVText(Buf.str(), FileName, Delimiter);
}

void TMemDataSet::LoadFromCSVText(const std::string& Text, const std::string& SourceName, char Delimiter) {
  auto Fail = [&](int Line, const std::string& Msg) {
    DatabaseError(SourceName + ", line " + IntToStr(Line) + ": " + Msg);
  };
  std::vector<TCsvRow> Rows;
  try {
    Rows = ParseCsv(Text, Delimiter);
  } catch (const TCsvError& E) {
    Fail(E.Line, E.Msg);
  }
  if (Rows.empty()) Fail(1, "the header row is missing");

  const TCsvRow& Header = Rows[0];
  const size_t Cols = Header.Cells.size();
  std::vector<std::string> Names;
  for (size_t C = 0; C < Cols; ++C) {
    std::string Name = Trim(Header.Cells[C]);
    if (Name.empty()) Fail(Header.Line, "column " + IntToStr(static_cast<int64_t>(C) + 1) + " has no name");
    for (const std::string& Seen : Names)
      if (SameText(Seen, Name)) Fail(Header.Line, "duplicate column name '" + Name + "'");
    Names.push_back(Name);
  }
  for (size_t R = 1; R < Rows.size(); ++R)
    if (Rows[R].Cells.size() != Cols)
      Fail(Rows[R].Line, "expected " + IntToStr(static_cast<int64_t>(Cols)) + " values, found " +
                             IntToStr(static_cast<int64_t>(Rows[R].Cells.size())));

  // The definitions to load by: the given ones, or inferred from the values.
  TFieldDefs Inferred;
  const bool Given = GetFieldDefs()->Count() > 0;
  TFieldDefs& Defs = Given ? *GetFieldDefs() : Inferred;
  if (!Given)
    for (size_t C = 0; C < Cols; ++C) Inferred.Add(Names[C], InferType(Rows, C));
  std::vector<int> ColOf(static_cast<size_t>(Defs.Count()), -1);
  for (size_t C = 0; C < Cols; ++C) {
    int D = Defs.IndexOf(Names[C]);
    if (D < 0) Fail(Header.Line, "column '" + Names[C] + "' is not a field of the dataset");
    ColOf[static_cast<size_t>(D)] = static_cast<int>(C);
  }

  std::vector<std::vector<TFieldData>> Parsed;
  Parsed.reserve(Rows.size() - 1);
  for (size_t R = 1; R < Rows.size(); ++R) {
    std::vector<TFieldData> Values(static_cast<size_t>(Defs.Count()));
    for (int D = 0; D < Defs.Count(); ++D) {
      const TFieldDef& Def = *Defs[D];
      const int C = ColOf[static_cast<size_t>(D)];
      if (C >= 0) {
        std::string Why = ConvertCell(Rows[R].Cells[static_cast<size_t>(C)], Rows[R].Quoted[static_cast<size_t>(C)],
                                      Def, Values[static_cast<size_t>(D)]);
        if (!Why.empty()) Fail(Rows[R].Line, Why);
      }
      if (Def.GetRequired() && Def.GetDataType() != ftAutoInc &&
          std::holds_alternative<std::monostate>(Values[static_cast<size_t>(D)]))
        Fail(Rows[R].Line, "Field '" + Def.GetName() + "' must have a value");
    }
    Parsed.push_back(std::move(Values));
  }

  // Everything parsed: only now is the dataset touched.
  Close();
  if (!Given) {
    GetFieldDefs()->Clear();
    for (int D = 0; D < Inferred.Count(); ++D)
      GetFieldDefs()->Add(Inferred[D]->GetName(), Inferred[D]->GetDataType());
  }
  FPendingRows = std::move(Parsed);
  Open();
}

}  // namespace vcl
