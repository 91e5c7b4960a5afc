#include "rt/ZYMQIXTimeZone.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>

#include "rt/ZYMQIXDateTime.h"
#include "vcl/Host.h"
#include "vcl/SysUtils.h"

namespace zymqix {

using vcl::Integer;
using vcl::TDateTime;
using vcl::Word;

namespace {

namespace fs = std::filesystem;

std::optional<std::string> ReadFile(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  if (!In) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

/// Zone names of a zone.tab-style table: the third tab-separated column.
std::vector<std::string> NamesFromTable(const std::string& Text) {
  std::vector<std::string> Names;
  std::istringstream In(Text);
  std::string Line;
  while (std::getline(In, Line)) {
    if (Line.empty() || Line[0] == '#') continue;
    std::vector<std::string> Cols = vcl::SplitString(Line, '\t');
    if (Cols.size() >= 3 && !vcl::Trim(Cols[2]).empty()) Names.push_back(vcl::Trim(Cols[2]));
  }
  return Names;
}

bool IsZoneFile(const fs::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  char Magic[4] = {};
  return In.read(Magic, 4) && std::string(Magic, 4) == "TZif";
}

/// Every zone file below Dir, for a database that ships no table. The "posix"
/// and "right" trees repeat the zones under other names and are skipped.
std::vector<std::string> NamesFromWalk(const fs::path& Dir) {
  std::vector<std::string> Names;
  std::error_code Ec;
  for (auto It = fs::recursive_directory_iterator(Dir, fs::directory_options::skip_permission_denied, Ec);
       !Ec && It != fs::recursive_directory_iterator(); It.increment(Ec)) {
    std::string Rel = fs::relative(It->path(), Dir, Ec).generic_string();
    if (It->is_directory(Ec)) {
      if (Rel == "posix" || Rel == "right") It.disable_recursion_pending();
      continue;
    }
    if (Rel.find('.') != std::string::npos || !It->is_regular_file(Ec)) continue;
    if (IsZoneFile(It->path())) Names.push_back(Rel);
  }
  return Names;
}

std::vector<std::string> ZoneNames(const fs::path& Dir) {
  std::vector<std::string> Names;
  if (auto Tab = ReadFile(Dir / "zone.tab")) Names = NamesFromTable(*Tab);
  else if (auto Tab1970 = ReadFile(Dir / "zone1970.tab")) Names = NamesFromTable(*Tab1970);
  else Names = NamesFromWalk(Dir);
  if (std::find(Names.begin(), Names.end(), "UTC") == Names.end() && IsZoneFile(Dir / "UTC")) Names.push_back("UTC");
  std::sort(Names.begin(), Names.end());
  Names.erase(std::unique(Names.begin(), Names.end()), Names.end());
  return Names;
}

// ---- the POSIX TZ string: "CET-1CEST,M3.5.0,M10.5.0/3", "<+03>-3" ----

struct TRule {
  std::string StdName, DstName;
  long StdOffset = 0;  // seconds, UTC - local (POSIX counts west as positive)
  long DstOffset = 0;
};

class TPosixParser {
public:
  explicit TPosixParser(const std::string& Text) : S(Text) {}

  std::optional<TRule> Run() {
    TRule R;
    if (!Name(R.StdName)) return std::nullopt;
    auto Std = Offset();
    if (!Std) return std::nullopt;
    R.StdOffset = *Std;
    R.DstOffset = R.StdOffset;
    if (P < S.size() && S[P] != ',') {
      if (!Name(R.DstName)) return std::nullopt;
      R.DstOffset = R.StdOffset - 3600;  // an hour ahead unless the string says otherwise
      if (P < S.size() && S[P] != ',') {
        auto Dst = Offset();
        if (!Dst) return std::nullopt;
        R.DstOffset = *Dst;
      }
    }
    return R;
  }

private:
  const std::string& S;
  size_t P = 0;

  bool Name(std::string& Out) {
    if (P < S.size() && S[P] == '<') {
      size_t End = S.find('>', P);
      if (End == std::string::npos) return false;
      Out = S.substr(P + 1, End - P - 1);
      P = End + 1;
      return !Out.empty();
    }
    size_t Start = P;
    while (P < S.size() && std::isalpha(static_cast<unsigned char>(S[P]))) ++P;
    Out = S.substr(Start, P - Start);
    return Out.size() >= 3;
  }

  std::optional<long> Offset() {
    long Sign = 1;
    if (P < S.size() && (S[P] == '+' || S[P] == '-')) Sign = S[P++] == '-' ? -1 : 1;
    long Total = 0;
    for (int Part = 0; Part < 3; ++Part) {
      size_t Start = P;
      long V = 0;
      while (P < S.size() && std::isdigit(static_cast<unsigned char>(S[P])) && P - Start < 3) V = V * 10 + (S[P++] - '0');
      if (P == Start) return std::nullopt;
      Total += V * (Part == 0 ? 3600 : Part == 1 ? 60 : 1);
      if (P >= S.size() || S[P] != ':') break;
      ++P;
    }
    return Sign * Total;
  }
};

uint32_t BigEndian32(const std::string& D, size_t At) {
  return (static_cast<uint32_t>(static_cast<unsigned char>(D[At])) << 24) |
         (static_cast<uint32_t>(static_cast<unsigned char>(D[At + 1])) << 16) |
         (static_cast<uint32_t>(static_cast<unsigned char>(D[At + 2])) << 8) |
         static_cast<uint32_t>(static_cast<unsigned char>(D[At + 3]));
}

/// For a zone file without a POSIX footer: the local time type in force after
/// the last transition of the version 1 data, without daylight saving.
std::optional<TRule> RuleFromBody(const std::string& D) {
  if (D.size() < 44) return std::nullopt;
  uint32_t TimeCnt = BigEndian32(D, 32), TypeCnt = BigEndian32(D, 36), CharCnt = BigEndian32(D, 40);
  if (TypeCnt == 0 || TimeCnt > 100000 || TypeCnt > 256 || CharCnt > 10000) return std::nullopt;
  size_t Types = 44 + static_cast<size_t>(TimeCnt) * 5;
  size_t Chars = Types + static_cast<size_t>(TypeCnt) * 6;
  if (D.size() < Chars + CharCnt) return std::nullopt;
  size_t Type = TimeCnt ? static_cast<unsigned char>(D[44 + TimeCnt * 4 + TimeCnt - 1]) : 0;
  if (Type >= TypeCnt) return std::nullopt;
  size_t At = Types + Type * 6;
  auto UtcOff = static_cast<int32_t>(BigEndian32(D, At));
  size_t Abbr = static_cast<unsigned char>(D[At + 5]);
  if (Abbr >= CharCnt) return std::nullopt;
  TRule R;
  R.StdName = std::string(D.c_str() + Chars + Abbr);
  R.StdOffset = R.DstOffset = -static_cast<long>(UtcOff);
  return R;
}

std::optional<TRule> ReadRule(const fs::path& Path) {
  auto Data = ReadFile(Path);
  if (!Data || Data->size() < 44 || Data->compare(0, 4, "TZif") != 0) return std::nullopt;
  if ((*Data)[4] >= '2') {
    // The footer is the last line: "\n<TZ string>\n".
    size_t End = Data->find_last_not_of('\n');
    size_t Start = End == std::string::npos ? std::string::npos : Data->rfind('\n', End);
    if (Start != std::string::npos) {
      std::string Footer = Data->substr(Start + 1, End - Start);
      if (auto R = TPosixParser(Footer).Run()) return R;
    }
  }
  return RuleFromBody(*Data);
}

std::string UtcOffsetText(Integer Bias, bool Colon) {
  Integer Off = -Bias;
  std::string Sign = Off < 0 ? "-" : "+";
  Off = std::abs(Off);
  char Buf[16];
  std::snprintf(Buf, sizeof Buf, Colon ? "%02d:%02d" : "%02d%02d", Off / 60, Off % 60);
  return Sign + Buf;
}

Integer Minutes(long Seconds) { return static_cast<Integer>(std::lround(Seconds / 60.0)); }

TZYMTimeZoneArray LoadZones(const fs::path& Dir) {
  TZYMTimeZoneArray Zones;
  for (const std::string& Name : ZoneNames(Dir)) {
    auto R = ReadRule(Dir / Name);
    if (!R) continue;
    TZYMTimeZoneRec Z;
    Z.KeyName = Name;
    Z.StandardName = R->StdName;
    Z.DaylightName = R->DstName;
    Z.Bias = Minutes(R->StdOffset);
    Z.DaylightBias = R->DstName.empty() ? 0 : Minutes(R->DstOffset - R->StdOffset);
    Z.DisplayName = "(UTC" + UtcOffsetText(Z.Bias, true) + ") " + Name;
    Zones.push_back(std::move(Z));
  }
  std::stable_sort(Zones.begin(), Zones.end(), [](const TZYMTimeZoneRec& A, const TZYMTimeZoneRec& B) {
    return A.Bias != B.Bias ? A.Bias > B.Bias : A.KeyName < B.KeyName;
  });
  return Zones;
}

const TZYMTimeZoneArray& Zones() {
  static std::string LoadedDir;
  static TZYMTimeZoneArray Loaded;
  static bool Done = false;
  std::string Dir = ZYMTimeZoneDir();
  if (!Done || Dir != LoadedDir) {
    Loaded = LoadZones(Dir);
    LoadedDir = Dir;
    Done = true;
  }
  return Loaded;
}

void FillList(vcl::TStrings& List, const std::vector<std::string>& Items) {
  List.BeginUpdate();
  try {
    List.Clear();
    for (const std::string& S : Items) List.Add(S);
  } catch (...) {
    List.EndUpdate();
    throw;
  }
  List.EndUpdate();
}

void FillDistinct(vcl::TStrings& List, std::string TZYMTimeZoneRec::*Field) {
  std::set<std::string> Names;
  for (const TZYMTimeZoneRec& Z : Zones())
    if (!(Z.*Field).empty()) Names.insert(Z.*Field);
  FillList(List, std::vector<std::string>(Names.begin(), Names.end()));
}

const char* const ShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const ShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};

std::string RFC822Text(TDateTime Value, Integer Bias, bool Long) {
  std::string Offset = Bias2RFC822Offset(Bias);
  if (!ZYMValidDateTime(Value)) throw vcl::EConvertError("Date-time out of range");
  Word Y, Mo, D, H, Mi, S, Ms;
  OptDecodeDateW(Value, Y, Mo, D);
  ZYMDecodeTime(Value, H, Mi, S, Ms);
  int Dow = DayOfWeek(Value) - 1;
  char Buf[96];
  std::snprintf(Buf, sizeof Buf, "%s, %02u %s %04u %02u:%02u:%02u %s", Long ? LongDays[Dow] : ShortDays[Dow], unsigned{D},
                Long ? LongMonths[Mo - 1] : ShortMonths[Mo - 1], unsigned{Y}, unsigned{H}, unsigned{Mi}, unsigned{S},
                Offset.c_str());
  return Buf;
}

/// The local time, in the zone with bias Bias, of a UTC value.
TDateTime ToZone(TDateTime UTCValue, Integer Bias) { return AddDays(UTCValue, -Bias / 1440.0L); }

}  // namespace

std::string ZYMTimeZoneDir() {
  const char* Env = std::getenv("TZDIR");
  return Env && *Env ? Env : "/usr/share/zoneinfo";
}

TZYMTimeZoneArray GetTimeZoneArray() { return Zones(); }

bool FindTimeZone(const std::string& KeyName, TZYMTimeZoneRec& Zone) {
  for (const TZYMTimeZoneRec& Z : Zones())
    if (Z.KeyName == KeyName) {
      Zone = Z;
      return true;
    }
  return false;
}

void GetTimeZoneStrings(vcl::TStrings& List) {
  std::vector<std::string> Names;
  for (const TZYMTimeZoneRec& Z : Zones()) Names.push_back(Z.KeyName);
  std::sort(Names.begin(), Names.end());
  FillList(List, Names);
}

void GetTimeZoneDisplayStrings(const TZYMTimeZoneArray& Zones, vcl::TStrings& List) {
  std::vector<std::string> Names;
  for (const TZYMTimeZoneRec& Z : Zones) Names.push_back(Z.DisplayName);
  FillList(List, Names);
}

void GetTimeZoneStandardStrings(vcl::TStrings& List) { FillDistinct(List, &TZYMTimeZoneRec::StandardName); }

void GetTimeZoneDaylightStrings(vcl::TStrings& List) { FillDistinct(List, &TZYMTimeZoneRec::DaylightName); }

Integer GetLocalTZBias() {
  // The host clock gives local time; mktime finds the moment it names (and
  // whether daylight saving is in force then) in the C library's zone.
  TDateTime Now = vcl::Host().Now();
  Word Y, Mo, D, H, Mi, S, Ms;
  OptDecodeDateW(Now, Y, Mo, D);
  ZYMDecodeTime(Now, H, Mi, S, Ms);
  std::tm Local{};
  Local.tm_year = Y - 1900;
  Local.tm_mon = Mo - 1;
  Local.tm_mday = D;
  Local.tm_hour = H;
  Local.tm_min = Mi;
  Local.tm_sec = S;
  Local.tm_isdst = -1;
  tzset();
  std::time_t T = std::mktime(&Local);
  std::tm Back{};
  if (T == static_cast<std::time_t>(-1) || !localtime_r(&T, &Back)) return 0;
  return static_cast<Integer>(-Back.tm_gmtoff / 60);
}

std::string GetRFC822Difference() { return Bias2RFC822Offset(GetLocalTZBias()); }

std::string Bias2RFC822Offset(Integer Bias) {
  if (Bias < -1440 || Bias > 1440) throw vcl::EConvertError("Time-zone bias out of range: " + vcl::IntToStr(Bias));
  return UtcOffsetText(Bias, false);
}

std::string RFC822DateTime2Str(TDateTime UTCValue, Integer Bias) {
  Bias2RFC822Offset(Bias);
  return RFC822Text(ToZone(UTCValue, Bias), Bias, false);
}

std::string RFC822DateTime2LongStr(TDateTime UTCValue, Integer Bias) {
  Bias2RFC822Offset(Bias);
  return RFC822Text(ToZone(UTCValue, Bias), Bias, true);
}

std::string LocalRFC822DateTime2Str(TDateTime LocalValue, Integer Bias) { return RFC822Text(LocalValue, Bias, false); }

std::string LocalRFC822DateTime2LongStr(TDateTime LocalValue, Integer Bias) {
  return RFC822Text(LocalValue, Bias, true);
}

}  // namespace zymqix
