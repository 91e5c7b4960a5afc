// Student's t and chi-square distributions in extended precision, and the
// alternatives of a hypothesis test.
//
// Arguments outside a routine's domain raise vcl::EMathError naming the
// routine and the offending argument; no routine returns a NaN or an infinity.
#pragma once

#include "vcl/System.h"
#include "vcl/TypInfo.h"

namespace zymqix {

using vcl::Cardinal;
using vcl::Extended;

/// The alternative hypothesis of a test, against the null hypothesis of equality.
enum class TZYMAltHypType {
  ahtLess,      ///< the population value is below the hypothesised one (lower-tailed)
  ahtGreater,   ///< above it (upper-tailed)
  ahtNotEqual,  ///< different from it (two-tailed)
};

/// P(T < X) for Student's t with DF degrees of freedom. X may be any number,
/// infinities included; DF must be at least 1.
Extended StudentTLess(Extended X, Cardinal DF);
/// The x with P(T > x) = P for Student's t with DF degrees of freedom.
/// P must lie strictly between 0 and 1; DF must be at least 1.
Extended InvStudentTGreater(Extended P, Cardinal DF);
/// P(Chi^2 > X) for the chi-square distribution with DF degrees of freedom.
/// X may be any number (X <= 0 gives 1, +infinity gives 0); DF must be at least 1.
Extended ChiSquareGreater(Extended X, Cardinal DF);
/// The x with P(Chi^2 > x) = P for the chi-square distribution with DF degrees
/// of freedom. P must lie strictly between 0 and 1; DF must be at least 1.
Extended InvChiSquareGreater(Extended P, Cardinal DF);

}  // namespace zymqix

VCL_ENUM_NAMES(zymqix::TZYMAltHypType, "ahtLess", "ahtGreater", "ahtNotEqual");
