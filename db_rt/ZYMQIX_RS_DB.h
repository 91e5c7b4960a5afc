// Resource strings of the run-time package: the messages with which a control
// refuses a field of the wrong type (raised as EInvalidFieldType). Each text
// also sits in the package's string table under its identifier, so code that
// knows only the identifier can read it.
#pragma once

#include <string>

namespace zymqix {

extern const char* const rsStringOnly;
extern const char* const rs32IntOnly;
extern const char* const rsIntOnly;
extern const char* const rsFloatOnly;
extern const char* const rsCurrencyOnly;
extern const char* const rsDateOnly;
extern const char* const rsTimeOnly;
extern const char* const rsDateTimeOnly;

// String-table identifiers of the texts above.
inline constexpr int rsStringOnlyId = 65520;
inline constexpr int rs32IntOnlyId = 65521;
inline constexpr int rsIntOnlyId = 65522;
inline constexpr int rsFloatOnlyId = 65523;
inline constexpr int rsCurrencyOnlyId = 65524;
inline constexpr int rsDateOnlyId = 65525;
inline constexpr int rsTimeOnlyId = 65526;
inline constexpr int rsDateTimeOnlyId = 65527;

/// The text of the package's string-table entry Ident; "" for an identifier
/// the package does not hold.
std::string LoadDbResString(int Ident);

}  // namespace zymqix
