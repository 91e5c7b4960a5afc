#include "rt/ZYMQIXDistrib.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <stdexcept>
#include <string>

#include "vcl/SysUtils.h"

namespace zymqix {

namespace {

[[noreturn]] void DomainError(const char* Routine, const std::string& What) {
  throw vcl::EMathError(std::string(Routine) + ": " + What + ".");
}

std::string Text(Extended X) { return vcl::FloatToStr(X); }

void CheckDF(const char* Routine, Cardinal DF) {
  if (DF == 0) DomainError(Routine, "the degrees of freedom must be at least 1, not 0");
}

void CheckProbability(const char* Routine, Extended P) {
  if (!(P > 0 && P < 1))
    DomainError(Routine, "the probability must lie strictly between 0 and 1, not " + Text(P));
}

void CheckNotNaN(const char* Routine, Extended X) {
  if (std::isnan(X)) DomainError(Routine, "the argument is not a number");
}

/// Runs a Boost.Math evaluation and turns its errors into EMathError, so that a
/// numerical failure deep inside the library reaches the caller in our terms.
template <class F>
Extended Evaluate(const char* Routine, F Fn) {
  Extended R = 0;
  try {
    R = Fn();
  } catch (const std::exception& E) {
    DomainError(Routine, E.what());
  }
  if (!std::isfinite(R)) DomainError(Routine, "the result is not a finite number");
  return R;
}

}  // namespace

Extended StudentTLess(Extended X, Cardinal DF) {
  CheckDF("StudentTLess", DF);
  CheckNotNaN("StudentTLess", X);
  if (std::isinf(X)) return X > 0 ? 1 : 0;
  return Evaluate("StudentTLess",
                  [&] { return boost::math::cdf(boost::math::students_t_distribution<Extended>(DF), X); });
}

Extended InvStudentTGreater(Extended P, Cardinal DF) {
  CheckDF("InvStudentTGreater", DF);
  CheckProbability("InvStudentTGreater", P);
  return Evaluate("InvStudentTGreater", [&] {
    return boost::math::quantile(boost::math::complement(boost::math::students_t_distribution<Extended>(DF), P));
  });
}

Extended ChiSquareGreater(Extended X, Cardinal DF) {
  CheckDF("ChiSquareGreater", DF);
  CheckNotNaN("ChiSquareGreater", X);
  if (X <= 0) return 1;
  if (std::isinf(X)) return 0;
  return Evaluate("ChiSquareGreater", [&] {
    return boost::math::cdf(boost::math::complement(boost::math::chi_squared_distribution<Extended>(DF), X));
  });
}

Extended InvChiSquareGreater(Extended P, Cardinal DF) {
  CheckDF("InvChiSquareGreater", DF);
  CheckProbability("InvChiSquareGreater", P);
  return Evaluate("InvChiSquareGreater", [&] {
    return boost::math::quantile(boost::math::complement(boost::math::chi_squared_distribution<Extended>(DF), P));
  });
}

}  // namespace zymqix
