#include "rt/ZYMQIXTimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

#include <unistd.h>

#include "rt/ZYMQIXDateTime.h"
#include "vcl/Host.h"

using namespace zymqix;
using vcl::TDateTime;

namespace {

namespace fs = std::filesystem;

TDateTime At(vcl::Word Y, vcl::Word M, vcl::Word D, vcl::Word H, vcl::Word N) {
  return vcl::ComposeDateTime(vcl::EncodeDate(Y, M, D), vcl::EncodeTime(H, N, 0, 0));
}

/// Sets an environment variable for a scope (TZ, TZDIR) and puts it back.
class TEnvScope {
public:
  TEnvScope(const char* Name, const std::string& Value) : FName(Name) {
    if (const char* Old = std::getenv(Name)) FOld = Old;
    ::setenv(Name, Value.c_str(), 1);
    ::tzset();
  }
  ~TEnvScope() {
    if (FOld) ::setenv(FName, FOld->c_str(), 1);
    else ::unsetenv(FName);
    ::tzset();
  }

private:
  const char* FName;
  std::optional<std::string> FOld;
};

class TimeZoneTest : public ::testing::Test {
protected:
  void SetUp() override { vcl::ResetFormatSettings(); }
  void TearDown() override { vcl::ResetFormatSettings(); }
  vcl::THostScope Host;
};

}  // namespace

// ---- the tz database ----

TEST_F(TimeZoneTest, ZonesCarryTheirCurrentRule) {
  struct Case {
    const char* Key;
    const char* Std;
    const char* Dst;
    int Bias, DaylightBias;
    const char* Display;
  };
  const Case Cases[] = {
      {"Europe/Berlin", "CET", "CEST", -60, -60, "(UTC+01:00) Europe/Berlin"},
      {"Australia/Sydney", "AEST", "AEDT", -600, -60, "(UTC+10:00) Australia/Sydney"},
      {"America/New_York", "EST", "EDT", 300, -60, "(UTC-05:00) America/New_York"},
      {"America/St_Johns", "NST", "NDT", 210, -60, "(UTC-03:30) America/St_Johns"},
      {"Asia/Kolkata", "IST", "", -330, 0, "(UTC+05:30) Asia/Kolkata"},
      {"Asia/Kathmandu", "+0545", "", -345, 0, "(UTC+05:45) Asia/Kathmandu"},
      {"Asia/Tokyo", "JST", "", -540, 0, "(UTC+09:00) Asia/Tokyo"},
      {"UTC", "UTC", "", 0, 0, "(UTC+00:00) UTC"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Key);
    TZYMTimeZoneRec Z;
    ASSERT_TRUE(FindTimeZone(C.Key, Z));
    EXPECT_EQ(Z.KeyName, C.Key);
    EXPECT_EQ(Z.StandardName, C.Std);
    EXPECT_EQ(Z.DaylightName, C.Dst);
    EXPECT_EQ(Z.Bias, C.Bias);
    EXPECT_EQ(Z.StandardBias, 0);
    EXPECT_EQ(Z.DaylightBias, C.DaylightBias);
    EXPECT_EQ(Z.DisplayName, C.Display);
  }
  TZYMTimeZoneRec Z;
  EXPECT_FALSE(FindTimeZone("Europe/Atlantis", Z));
}

TEST_F(TimeZoneTest, TheArrayRunsWestToEast) {
  TZYMTimeZoneArray Zones = GetTimeZoneArray();
  ASSERT_GT(Zones.size(), 300u);
  for (size_t I = 1; I < Zones.size(); ++I) {
    ASSERT_GE(Zones[I - 1].Bias, Zones[I].Bias) << Zones[I].KeyName;
    if (Zones[I - 1].Bias == Zones[I].Bias) {
      ASSERT_LT(Zones[I - 1].KeyName, Zones[I].KeyName);
    }
  }
  EXPECT_GE(Zones.front().Bias, 600);   // Pacific, west of Hawaii's -10:00
  EXPECT_LE(Zones.back().Bias, -780);   // Kiribati or Tonga

  vcl::TStringList Display;
  GetTimeZoneDisplayStrings(Zones, Display);
  ASSERT_EQ(Display.Count(), static_cast<int>(Zones.size()));
  for (size_t I = 0; I < Zones.size(); ++I) EXPECT_EQ(Display[static_cast<int>(I)], Zones[I].DisplayName);
}

TEST_F(TimeZoneTest, ListsReplaceTheirContents) {
  vcl::TStringList Keys;
  Keys.Add("stale entry");
  GetTimeZoneStrings(Keys);
  EXPECT_EQ(Keys.IndexOf("stale entry"), -1);
  EXPECT_EQ(Keys.Count(), static_cast<int>(GetTimeZoneArray().size()));
  EXPECT_GE(Keys.IndexOf("Europe/Berlin"), 0);
  EXPECT_GE(Keys.IndexOf("UTC"), 0);
  for (int I = 1; I < Keys.Count(); ++I) EXPECT_LT(Keys[I - 1], Keys[I]);

  vcl::TStringList Std, Dst;
  Std.Add("stale entry");
  GetTimeZoneStandardStrings(Std);
  GetTimeZoneDaylightStrings(Dst);
  EXPECT_EQ(Std.IndexOf("stale entry"), -1);
  for (const char* Name : {"CET", "EST", "AEST", "JST", "IST"}) EXPECT_GE(Std.IndexOf(Name), 0) << Name;
  for (const char* Name : {"CEST", "EDT", "AEDT", "BST"}) EXPECT_GE(Dst.IndexOf(Name), 0) << Name;
  EXPECT_EQ(Dst.IndexOf("JST"), -1);
  // Each abbreviation once, none empty.
  for (const vcl::TStringList* L : {&Std, &Dst})
    for (int I = 0; I < L->Count(); ++I) {
      EXPECT_FALSE((*L)[I].empty());
      if (I > 0) {
        EXPECT_LT((*L)[I - 1], (*L)[I]);
      }
    }
}

/// A small tz database of our own, in a scratch folder named by TZDIR.
class OwnDatabaseTest : public TimeZoneTest {
protected:
  void SetUp() override {
    TimeZoneTest::SetUp();
    const char* Tmp = std::getenv("ZYMQIX_TEST_TMP");
    // One folder per test: the zones of a folder are read once per process.
    Dir = fs::path(Tmp ? Tmp : "/tmp") /
          ("tzdb-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Dir);
    fs::create_directories(Dir / "Test");
    fs::create_directories(Dir / "posix" / "Test");
  }
  void TearDown() override {
    fs::remove_all(Dir);
    TimeZoneTest::TearDown();
  }
  void Write(const fs::path& Rel, const std::string& Bytes) {
    std::ofstream(Dir / Rel, std::ios::binary) << Bytes;
  }
  /// A version 1 zone file (no TZ string) with one local time type.
  static std::string Version1File(int32_t UtcOffset, const std::string& Abbr) {
    auto Be32 = [](uint32_t V) {
      return std::string{static_cast<char>(V >> 24), static_cast<char>(V >> 16), static_cast<char>(V >> 8),
                         static_cast<char>(V)};
    };
    std::string F = "TZif";
    F += std::string(16, '\0');
    F += Be32(0) + Be32(0) + Be32(0) + Be32(0) + Be32(1) + Be32(static_cast<uint32_t>(Abbr.size() + 1));
    F += Be32(static_cast<uint32_t>(UtcOffset)) + std::string(1, '\0') + std::string(1, '\0');
    F += Abbr + std::string(1, '\0');
    return F;
  }
  static std::string Version2Footer(const std::string& Tz) {
    std::string F = Version1File(0, "XXX");
    F[4] = '2';
    return F + "\n" + Tz + "\n";
  }
  fs::path Dir;
};

TEST_F(OwnDatabaseTest, TheTableNamesTheZones) {
  Write("zone.tab", "# comment\nXX\t+0000+00000\tTest/Listed\nYY\t+0000+00000\tTest/Old\tnote\n");
  Write("Test/Listed", Version2Footer("<+0330>-3:30<+0430>,J79/24,J263/24"));
  Write("Test/Old", Version1File(-4 * 3600 - 1800, "OLD"));
  Write("Test/Unlisted", Version2Footer("AAA-1"));
  TEnvScope Env("TZDIR", Dir.string());
  TZYMTimeZoneArray Zones = GetTimeZoneArray();
  ASSERT_EQ(Zones.size(), 2u);
  EXPECT_EQ(Zones[0].KeyName, "Test/Old");
  EXPECT_EQ(Zones[0].StandardName, "OLD");
  EXPECT_EQ(Zones[0].Bias, 270);
  EXPECT_EQ(Zones[1].KeyName, "Test/Listed");
  EXPECT_EQ(Zones[1].StandardName, "+0330");
  EXPECT_EQ(Zones[1].DaylightName, "+0430");
  EXPECT_EQ(Zones[1].Bias, -210);
  EXPECT_EQ(Zones[1].DaylightBias, -60);
}

TEST_F(OwnDatabaseTest, WithoutATableEveryZoneFileCountsButTheRepeats) {
  Write("Test/One", Version2Footer("ONE-1TWO-3,M3.5.0,M10.5.0/3"));
  Write("Test/Bad", "not a zone file");
  Write("posix/Test/One", Version2Footer("ONE-1"));
  Write("iso3166.tab", "XX\tTest\n");
  Write("UTC", Version2Footer("UTC0"));
  TEnvScope Env("TZDIR", Dir.string());
  vcl::TStringList Keys;
  GetTimeZoneStrings(Keys);
  ASSERT_EQ(Keys.GetText(), "Test/One\nUTC\n");
  TZYMTimeZoneRec Z;
  ASSERT_TRUE(FindTimeZone("Test/One", Z));
  EXPECT_EQ(Z.DaylightBias, -120);
}

TEST_F(OwnDatabaseTest, AMissingDatabaseGivesNoZones) {
  TEnvScope Env("TZDIR", (Dir / "absent").string());
  EXPECT_TRUE(GetTimeZoneArray().empty());
  vcl::TStringList Keys;
  GetTimeZoneStrings(Keys);
  EXPECT_EQ(Keys.Count(), 0);
}

// ---- the local zone ----

TEST_F(TimeZoneTest, LocalBiasFollowsTheZoneAndDaylightSavingAtTheHostTime) {
  struct Case {
    const char* TZ;
    TDateTime Now;
    int Bias;
    const char* Difference;
  };
  const Case Cases[] = {
      {"Australia/Sydney", At(2026, 7, 1, 12, 0), -600, "+1000"},
      {"Australia/Sydney", At(2026, 1, 15, 12, 0), -660, "+1100"},
      {"America/New_York", At(2026, 1, 15, 12, 0), 300, "-0500"},
      {"America/New_York", At(2026, 7, 1, 12, 0), 240, "-0400"},
      {"Asia/Kolkata", At(2026, 7, 1, 12, 0), -330, "+0530"},
      {"America/St_Johns", At(2026, 12, 1, 12, 0), 210, "-0330"},
      {"UTC", At(2026, 7, 1, 12, 0), 0, "+0000"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(std::string(C.TZ) + " " + std::to_string(C.Now));
    TEnvScope Env("TZ", C.TZ);
    vcl::Host().FixNow(C.Now);
    EXPECT_EQ(GetLocalTZBias(), C.Bias);
    EXPECT_EQ(GetRFC822Difference(), C.Difference);
  }
}

// ---- RFC 822 texts ----

TEST_F(TimeZoneTest, RFC822TextsEastAndWestOfUTC) {
  struct Case {
    TDateTime Value;
    int Bias;
    const char* Utc;        // the value taken as UTC
    const char* UtcLong;
    const char* Local;      // the value taken as local time of the zone
  };
  const Case Cases[] = {
      {At(2026, 12, 10, 4, 3), -600, "Thu, 10 Dec 2026 14:03:00 +1000", "Thursday, 10 December 2026 14:03:00 +1000",
       "Thu, 10 Dec 2026 04:03:00 +1000"},
      {At(2026, 12, 10, 4, 3), 300, "Wed, 09 Dec 2026 23:03:00 -0500", "Wednesday, 09 December 2026 23:03:00 -0500",
       "Thu, 10 Dec 2026 04:03:00 -0500"},
      {At(2026, 12, 31, 20, 0), -330, "Fri, 01 Jan 2027 01:30:00 +0530", "Friday, 01 January 2027 01:30:00 +0530",
       "Thu, 31 Dec 2026 20:00:00 +0530"},
      {At(2024, 2, 29, 12, 0), 0, "Thu, 29 Feb 2024 12:00:00 +0000", "Thursday, 29 February 2024 12:00:00 +0000",
       "Thu, 29 Feb 2024 12:00:00 +0000"},
      {At(1899, 12, 30, 2, 0), 300, "Fri, 29 Dec 1899 21:00:00 -0500", "Friday, 29 December 1899 21:00:00 -0500",
       "Sat, 30 Dec 1899 02:00:00 -0500"},
      {At(1850, 6, 15, 6, 30), -60, "Sat, 15 Jun 1850 07:30:00 +0100", "Saturday, 15 June 1850 07:30:00 +0100",
       "Sat, 15 Jun 1850 06:30:00 +0100"},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Utc);
    EXPECT_EQ(RFC822DateTime2Str(C.Value, C.Bias), C.Utc);
    EXPECT_EQ(RFC822DateTime2LongStr(C.Value, C.Bias), C.UtcLong);
    EXPECT_EQ(LocalRFC822DateTime2Str(C.Value, C.Bias), C.Local);
    std::string Long = LocalRFC822DateTime2LongStr(C.Value, C.Bias);
    EXPECT_EQ(Long.substr(Long.size() - 5), std::string(C.Local).substr(std::string(C.Local).size() - 5));
  }
}

TEST_F(TimeZoneTest, RFC822TextsAreEnglishWhateverTheLocale) {
  for (int I = 0; I < 12; ++I) vcl::FormatSettings.ShortMonthNames[I] = vcl::FormatSettings.LongMonthNames[I] = "X";
  for (int I = 0; I < 7; ++I) vcl::FormatSettings.ShortDayNames[I] = vcl::FormatSettings.LongDayNames[I] = "Y";
  EXPECT_EQ(LocalRFC822DateTime2Str(At(2026, 12, 10, 14, 3), -600), "Thu, 10 Dec 2026 14:03:00 +1000");
  EXPECT_EQ(LocalRFC822DateTime2LongStr(At(2026, 12, 10, 14, 3), -600),
            "Thursday, 10 December 2026 14:03:00 +1000");
}

TEST_F(TimeZoneTest, RFC822RefusesImpossibleBiasesAndValues) {
  EXPECT_EQ(Bias2RFC822Offset(1440), "-2400");
  EXPECT_EQ(Bias2RFC822Offset(-45), "+0045");
  EXPECT_THROW(Bias2RFC822Offset(1441), vcl::EConvertError);
  EXPECT_THROW(RFC822DateTime2Str(At(2026, 1, 1, 0, 0), -2000), vcl::EConvertError);
  EXPECT_THROW(LocalRFC822DateTime2Str(std::numeric_limits<double>::quiet_NaN(), 0), vcl::EConvertError);
  EXPECT_THROW(RFC822DateTime2LongStr(vcl::EncodeDate(9999, 12, 31) + 0.9, -600), vcl::EConvertError);
}
