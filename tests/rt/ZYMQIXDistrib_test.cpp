#include "rt/ZYMQIXDistrib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "vcl/SysUtils.h"

using zymqix::Extended;

namespace {
const Extended Inf = std::numeric_limits<Extended>::infinity();
const Extended NaN = std::numeric_limits<Extended>::quiet_NaN();
}  // namespace

// Reference values computed to 30 digits from the regularised incomplete beta
// and gamma functions.
TEST(Distributions, StudentTLessMatchesReferenceValues) {
  struct Case {
    Extended X;
    unsigned DF;
    Extended P;
  } Cases[] = {
      {2.5L, 7, 0.979503890707123551555L},
      {-1.3L, 3, 0.142233754363948699882L},
      {0.7L, 1000, 0.757954943003698830295L},
      {0, 5, 0.5L},
      {Inf, 2, 1},
      {-Inf, 2, 0},
  };
  for (const auto& C : Cases) EXPECT_NEAR(zymqix::StudentTLess(C.X, C.DF), C.P, 1e-17L) << C.X << " " << C.DF;
}

TEST(Distributions, ChiSquareGreaterMatchesReferenceValues) {
  struct Case {
    Extended X;
    unsigned DF;
    Extended P;
  } Cases[] = {
      {3.5L, 5, 0.623387627749582034610L},
      {100, 80, 0.0645703689211329757617L},
      {0, 3, 1},
      {-2, 3, 1},
      {Inf, 3, 0},
  };
  for (const auto& C : Cases) EXPECT_NEAR(zymqix::ChiSquareGreater(C.X, C.DF), C.P, 1e-17L) << C.X << " " << C.DF;
}

TEST(Distributions, InversesMatchReferenceValuesAndRoundTrip) {
  EXPECT_NEAR(zymqix::InvStudentTGreater(0.025L, 10), 2.22813885198627474840L, 1e-16L);
  EXPECT_NEAR(zymqix::InvStudentTGreater(0.05L, 4), 2.13184678632665031835L, 1e-16L);
  EXPECT_NEAR(zymqix::InvStudentTGreater(0.5L, 9), 0, 1e-18L);
  EXPECT_NEAR(zymqix::InvChiSquareGreater(0.05L, 10), 18.3070380532751468718L, 1e-15L);
  EXPECT_NEAR(zymqix::InvChiSquareGreater(0.975L, 4), 0.484418557087929805804L, 1e-17L);
  for (Extended P : {0.001L, 0.1L, 0.6L, 0.999L}) {
    EXPECT_NEAR(1 - zymqix::StudentTLess(zymqix::InvStudentTGreater(P, 6), 6), P, 1e-17L);
    EXPECT_NEAR(zymqix::ChiSquareGreater(zymqix::InvChiSquareGreater(P, 6), 6), P, 1e-17L);
  }
}

TEST(Distributions, ArgumentsOutsideTheDomainRaiseEMathErrorNamingTheRoutine) {
  struct Case {
    const char* Name;
    std::function<Extended()> Fn;
    const char* Expected;
  } Cases[] = {
      {"t, DF 0", [] { return zymqix::StudentTLess(1, 0); }, "StudentTLess: the degrees of freedom"},
      {"t, NaN", [] { return zymqix::StudentTLess(NaN, 3); }, "StudentTLess: the argument is not a number"},
      {"inv t, P 0", [] { return zymqix::InvStudentTGreater(0, 3); }, "InvStudentTGreater: the probability"},
      {"inv t, P 1", [] { return zymqix::InvStudentTGreater(1, 3); }, "InvStudentTGreater: the probability"},
      {"inv t, DF 0", [] { return zymqix::InvStudentTGreater(0.5L, 0); }, "InvStudentTGreater: the degrees"},
      {"chi, DF 0", [] { return zymqix::ChiSquareGreater(1, 0); }, "ChiSquareGreater: the degrees"},
      {"chi, NaN", [] { return zymqix::ChiSquareGreater(NaN, 2); }, "ChiSquareGreater: the argument"},
      {"inv chi, P -0.1", [] { return zymqix::InvChiSquareGreater(-0.1L, 2); }, "InvChiSquareGreater: the probability"},
      {"inv chi, P 1.05", [] { return zymqix::InvChiSquareGreater(1.05L, 2); }, "InvChiSquareGreater: the probability"},
      {"inv chi, P NaN", [] { return zymqix::InvChiSquareGreater(NaN, 2); }, "InvChiSquareGreater: the probability"},
  };
  for (const auto& C : Cases) {
    try {
      C.Fn();
      ADD_FAILURE() << C.Name << ": no error";
    } catch (const vcl::EMathError& E) {
      EXPECT_EQ(E.Message().rfind(C.Expected, 0), 0u) << C.Name << ": " << E.Message();
    }
  }
}
