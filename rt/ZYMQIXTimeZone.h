// Time zones of the system's tz database, the local zone's bias, and RFC 822
// (RFC 2822) date-time texts.
//
// The zones are those of the installed tzdata: the names listed in its
// zone.tab (else zone1970.tab, else every zone file found by walking the
// folder), plus "UTC". Each zone's current rule comes from the POSIX TZ string
// at the end of its zone file. The folder is $TZDIR when set, else
// /usr/share/zoneinfo.
//
// Biases follow the framework's sign convention: minutes to add to local time
// to get UTC (bias = UTC - local), so zones east of Greenwich have negative
// biases (Sydney in standard time: -600).
#pragma once

#include <string>
#include <vector>

#include "vcl/Classes.h"
#include "vcl/System.h"

namespace zymqix {

struct TZYMTimeZoneRec {
  std::string KeyName;       ///< the tz database name, "Europe/Berlin"
  std::string DisplayName;   ///< "(UTC+01:00) Europe/Berlin", by the standard offset
  std::string StandardName;  ///< abbreviation of standard time, "CET" (or "+03" where the database has none)
  std::string DaylightName;  ///< abbreviation of daylight-saving time, "CEST"; empty without one
  vcl::Integer Bias = 0;          ///< minutes, UTC - local standard time
  vcl::Integer StandardBias = 0;  ///< added to Bias in standard time; always 0
  vcl::Integer DaylightBias = 0;  ///< added to Bias in daylight time (-60 for a one-hour shift; 0 without)
};
using TZYMTimeZoneArray = std::vector<TZYMTimeZoneRec>;

/// The tz database folder in use.
std::string ZYMTimeZoneDir();

/// Every zone, ordered west to east by standard offset, then by name. Read once
/// per folder and kept; an absent or unreadable database gives an empty array.
TZYMTimeZoneArray GetTimeZoneArray();
/// The zone of KeyName (exact tz database name); false when the database has none.
bool FindTimeZone(const std::string& KeyName, TZYMTimeZoneRec& Zone);

// The list fillers replace the list's contents.
/// Every zone's key name ("Europe/Berlin"), in name order.
void GetTimeZoneStrings(vcl::TStrings& List);
/// Zones' display names, in the order of Zones.
void GetTimeZoneDisplayStrings(const TZYMTimeZoneArray& Zones, vcl::TStrings& List);
/// Every distinct standard-time abbreviation, in name order.
void GetTimeZoneStandardStrings(vcl::TStrings& List);
/// Every distinct daylight-time abbreviation, in name order.
void GetTimeZoneDaylightStrings(vcl::TStrings& List);

/// Bias of the local zone (the C library's, from TZ) at the host clock's
/// current time, daylight saving included: UTC - local in minutes.
vcl::Integer GetLocalTZBias();
/// The local zone's offset from UTC at the host clock's time as RFC 822 writes it: "+1000", "-0500".
std::string GetRFC822Difference();
/// The offset of a zone with bias Bias: "+hhmm" or "-hhmm" (Bias -600 gives "+1000").
/// Raises vcl::EConvertError for a bias beyond 24 hours.
std::string Bias2RFC822Offset(vcl::Integer Bias);

// RFC 822 texts use the English day and month names whatever the locale.
// A value that is no valid date-time raises vcl::EConvertError.
/// UTC value shown in the zone with bias Bias: "Thu, 10 Dec 2026 14:03:00 +1000".
std::string RFC822DateTime2Str(vcl::TDateTime UTCValue, vcl::Integer Bias);
/// As RFC822DateTime2Str with the full names: "Thursday, 10 December 2026 14:03:00 +1000".
std::string RFC822DateTime2LongStr(vcl::TDateTime UTCValue, vcl::Integer Bias);
/// A value that is already local time in the zone with bias Bias, shown as it is with that zone's offset.
std::string LocalRFC822DateTime2Str(vcl::TDateTime LocalValue, vcl::Integer Bias);
std::string LocalRFC822DateTime2LongStr(vcl::TDateTime LocalValue, vcl::Integer Bias);

}  // namespace zymqix
