#include "rt/ZYMQIXCountry.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

using namespace zymqix;

namespace {

class CountryTest : public ::testing::Test {
protected:
  void TearDown() override { ZYMCountryList = ZYMDefaultCountryList(); }
};

std::string CodeAt(vcl::Integer Pos) { return Pos < 0 ? "" : ZYMCountryList[static_cast<size_t>(Pos)].ISOA2; }

}  // namespace

TEST_F(CountryTest, TheTableHoldsEveryCountryOfTheSystemsIsoCodes) {
  std::ifstream In("/usr/share/iso-codes/json/iso_3166-1.json");
  if (!In) GTEST_SKIP() << "iso-codes is not installed";
  std::stringstream Text;
  Text << In.rdbuf();
  std::string Json = Text.str();
  std::regex Code("\"alpha_2\": \"([A-Z]{2})\"");
  std::set<std::string> Expected;
  for (auto It = std::sregex_iterator(Json.begin(), Json.end(), Code); It != std::sregex_iterator(); ++It)
    Expected.insert((*It)[1]);
  ASSERT_GE(Expected.size(), 249u);
  std::set<std::string> Actual;
  for (const TZYMCountryRec& C : ZYMCountryList) Actual.insert(C.ISOA2);
  EXPECT_EQ(Actual, Expected) << "run scripts/gen-countries.py after an iso-codes update";
}

TEST_F(CountryTest, EveryEntryIsWellFormed) {
  std::set<std::string> Codes, Names;
  for (const TZYMCountryRec& C : ZYMCountryList) {
    EXPECT_TRUE(std::regex_match(C.ISOA2, std::regex("[A-Z]{2}"))) << C.ISOA2;
    EXPECT_TRUE(std::regex_match(C.ISOA3, std::regex("[A-Z]{3}"))) << C.ISOA3;
    EXPECT_FALSE(C.Name.empty()) << C.ISOA2;
    EXPECT_GT(C.ISONumeric, 0) << C.ISOA2;
    EXPECT_FALSE(C.Exclude) << C.ISOA2;
    EXPECT_TRUE(Codes.insert(C.ISOA2).second) << C.ISOA2;
    EXPECT_TRUE(Names.insert(C.Name).second) << C.Name;
  }
  for (size_t I = 1; I < ZYMCountryList.size(); ++I) EXPECT_LT(ZYMCountryList[I - 1].ISOA2, ZYMCountryList[I].ISOA2);
}

TEST_F(CountryTest, LookUpByName) {
  struct Case {
    const char* Text;
    const char* Code;  // "" for none
  };
  const Case Cases[] = {
      {"Germany", "DE"},
      {"germany", "DE"},
      {"  GERMANY ", "DE"},
      {"Korea, Republic of", "KR"},
      {"South Korea", "KR"},            // the common name
      {"Federal Republic of Germany", "DE"},  // the official name
      {"Viet Nam", "VN"},
      {"vietnam", "VN"},
      {"\xC5land Islands", "AX"},       // Latin-1
      {"\xE5LAND ISLANDS", "AX"},       // Latin-1, other case
      {"\xC3\x85land Islands", "AX"},   // UTF-8
      {"t\xC3\xBCrkiye", "TR"},         // UTF-8, lower case
      {"Cura\xE7" "ao", "CW"},
      {"Atlantis", ""},
      {"Germany2", ""},
      {"", ""},
      {"   ", ""},
      {"\xC3", ""},                     // a broken UTF-8 sequence
  };
  for (const Case& C : Cases) EXPECT_EQ(CodeAt(CountryName2Pos(ZYMCountryList, C.Text)), C.Code) << C.Text;
}

TEST_F(CountryTest, LookUpByCode) {
  struct Case {
    const char* Text;
    const char* Code;
  };
  const Case Cases[] = {{"DE", "DE"}, {"de", "DE"}, {" dE ", "DE"}, {"AX", "AX"}, {"ZW", "ZW"}, {"AD", "AD"},
                        {"XX", ""},   {"DEU", ""},  {"D", ""},      {"", ""},     {"Germany", ""}};
  for (const Case& C : Cases) EXPECT_EQ(CodeAt(CountryISO2Pos(ZYMCountryList, C.Text)), C.Code) << C.Text;
}

TEST_F(CountryTest, PositionsIndexTheListGiven) {
  TZYMCountryList Mine = {{"NZ", "New Zealand", "NZL", 554, "", "", false},
                          {"FR", "France", "FRA", 250, "", "French Republic", true}};
  EXPECT_EQ(CountryName2Pos(Mine, "france"), 1);
  EXPECT_EQ(CountryName2Pos(Mine, "French Republic"), 1);
  EXPECT_EQ(CountryISO2Pos(Mine, "nz"), 0);
  EXPECT_EQ(CountryISO2Pos(Mine, "DE"), -1);
  EXPECT_EQ(CountryName2Pos(TZYMCountryList{}, "France"), -1);
}

TEST_F(CountryTest, ExcludedEntriesAreStillFoundAndTheDefaultsComeBack) {
  vcl::Integer Pos = CountryISO2Pos(ZYMCountryList, "AQ");
  ASSERT_GE(Pos, 0);
  ZYMCountryList[static_cast<size_t>(Pos)].Exclude = true;
  EXPECT_EQ(CountryName2Pos(ZYMCountryList, "Antarctica"), Pos);
  ZYMCountryList = ZYMDefaultCountryList();
  EXPECT_FALSE(ZYMCountryList[static_cast<size_t>(Pos)].Exclude);
}
