// The country table of the base package: every ISO 3166-1 country, generated
// from the iso-codes package (scripts/gen-countries.py), and its look-ups.
#pragma once

#include <string>
#include <vector>

#include "vcl/System.h"

namespace zymqix {

struct TZYMCountryRec {
  std::string ISOA2;              ///< two-letter code, upper case: "DE"
  std::string Name;               ///< ISO short name in Latin-1: "Germany", "Korea, Republic of"
  std::string ISOA3;              ///< three-letter code: "DEU"
  vcl::Word ISONumeric = 0;       ///< numeric code: 276
  std::string CommonName;         ///< everyday name where ISO gives one ("South Korea"), else ""
  std::string OfficialName;       ///< official name where ISO gives one, else ""
  bool Exclude = false;           ///< keeps the entry out of country lists (look-ups still find it)
};
using TZYMCountryList = std::vector<TZYMCountryRec>;

/// The table, ordered by two-letter code; no entry is excluded at start. An
/// application may set Exclude flags (or edit the table) before it builds lists.
extern TZYMCountryList ZYMCountryList;

/// A fresh copy of the generated table (to undo changes to ZYMCountryList).
TZYMCountryList ZYMDefaultCountryList();

/// Position of the country named Name, -1 when none. Case-insensitive (Latin-1
/// letters included), surrounding blanks ignored; matches the ISO name first,
/// then the common and official names; UTF-8 text is accepted as well.
vcl::Integer CountryName2Pos(const TZYMCountryList& List, const std::string& Name);
/// Position of the country with the two-letter code ISOA2 in any case, -1 when none.
vcl::Integer CountryISO2Pos(const TZYMCountryList& List, const std::string& ISOA2);

}  // namespace zymqix
