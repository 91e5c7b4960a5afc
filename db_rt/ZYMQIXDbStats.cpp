#include "db_rt/ZYMQIXDbStats.h"

#include <cfloat>
#include <cmath>
#include <cstdint>

#include "db_rt/ZYMQIXDbStatsCommon.h"
#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"
#include "vcl/DB.h"

namespace zymqix {

using vcl::Extended;

namespace {

[[noreturn]] void Fail(const char* Message) { throw vcl::EMathError(Message); }

void RequireCount(int64_t N, int64_t Minimum, const char* Message) {
  if (N < Minimum) Fail(Message);
}

void RequireNonZeroStdDev(double StdDev) {
  if (FloatIsZero(StdDev)) Fail(rsStdDev);
}

/// Gives the cursor back to the bookmarked record and frees the bookmark.
void Restore(vcl::TDataSet* DataSet, const vcl::TBookmark& Bookmark) {
  try {
    DataSet->GotoBookmark(Bookmark);
  } catch (...) {
    DataSet->FreeBookmark(Bookmark);
    throw;
  }
  DataSet->FreeBookmark(Bookmark);
}

/// The record walk shared by every function: one pass with FindFirst/FindNext,
/// the field looked up by name on every record, the position restored on every
/// path when KeepPosition is set. Visit receives each value and may raise; the
/// walk's own error, not a failure to restore, is the one the caller sees.
template <class F>
int64_t Walk(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition, F Visit) {
  vcl::TDataSet* DataSet = RequireOpenDataSet(DataSource);
  vcl::TBookmark Bookmark{};
  if (KeepPosition) Bookmark = DataSet->GetBookmark();
  int64_t N = 0;
  try {
    if (DataSet->FindFirst()) {
      do {
        ++N;
        Visit(ReadExtended(DataSet->FieldByName(FieldName)));
      } while (DataSet->FindNext());
    }
  } catch (...) {
    if (KeepPosition) {
      try {
        Restore(DataSet, Bookmark);
      } catch (...) {
      }
    }
    throw;
  }
  if (KeepPosition) Restore(DataSet, Bookmark);
  return N;
}

/// Sum and sum of squares of the deviations from the first value read. Taking
/// the squares about a value inside the data, rather than about zero, keeps the
/// digits of data that lie far from zero relative to their spread; the
/// variance formula is unchanged because it does not depend on the origin.
struct TShiftedSums {
  bool HaveShift = false;
  Extended Shift = 0, S = 0, Q = 0;

  void Add(Extended X) {
    if (!HaveShift) {
      Shift = X;
      HaveShift = true;
    }
    Extended D = X - Shift;
    S += D;
    Q += D * D;
  }
  Extended Mean(int64_t N) const { return Shift + S / static_cast<Extended>(N); }
  /// (Q - S^2/n) / Divisor, with a rounding-negative result of nearly constant data taken as 0.
  Extended Variance(int64_t N, Extended Divisor) const {
    Extended V = (Q - S * S / static_cast<Extended>(N)) / Divisor;
    return V < 0 ? 0 : V;
  }
};

TShiftedSums WalkSums(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition,
                      int64_t Minimum, const char* CountMessage, int64_t& N) {
  TShiftedSums Sums;
  N = Walk(DataSource, FieldName, KeepPosition, [&](Extended X) { Sums.Add(X); });
  RequireCount(N, Minimum, CountMessage);
  return Sums;
}

Extended SampleVarianceOf(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition,
                          Extended& Mean) {
  int64_t N = 0;
  TShiftedSums Sums = WalkSums(DataSource, FieldName, KeepPosition, 2, rsAtLeastTwo, N);
  Mean = Sums.Mean(N);
  return Sums.Variance(N, static_cast<Extended>(N - 1));
}

Extended PopulationVarianceOf(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition,
                              Extended& Mean) {
  int64_t N = 0;
  TShiftedSums Sums = WalkSums(DataSource, FieldName, KeepPosition, 1, rsAtLeastOne, N);
  Mean = Sums.Mean(N);
  return Sums.Variance(N, static_cast<Extended>(N));
}

/// Sum of (x - Mean)^Power over the records, for the shape measures.
Extended WalkCentralPowers(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition,
                           double Mean, int Power, int64_t Minimum, const char* CountMessage, int64_t& N) {
  Extended Sum = 0;
  N = Walk(DataSource, FieldName, KeepPosition, [&](Extended X) {
    Extended D = X - Mean;
    Extended D2 = D * D;
    Sum += Power == 4 ? D2 * D2 : D2 * D;
  });
  RequireCount(N, Minimum, CountMessage);
  return Sum;
}

}  // namespace

double ZYMMean(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  Extended S = 0;
  int64_t N = Walk(DataSource, FieldName, KeepPosition, [&](Extended X) { S += X; });
  RequireCount(N, 1, rsAtLeastOne);
  return ToDoubleResult(S / static_cast<Extended>(N));
}

double GeometricMean(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  // The running product is kept as a fraction in [0.5, 1) and a binary exponent
  // apart, so that no length of series can overflow or underflow it.
  Extended P = 1;
  int64_t E = 0;
  int64_t N = Walk(DataSource, FieldName, KeepPosition, [&](Extended X) {
    if (!FloatIsPositive(X)) Fail(rsVectorNotPos);
    int Exp = 0;
    P = std::frexp(P * X, &Exp);
    E += Exp;
  });
  RequireCount(N, 1, rsAtLeastOne);
  if (!std::isfinite(P)) return ToDoubleResult(P);
  // (P * 2^E)^(1/n) = P^(1/n) * 2^(r/n) * 2^q, where E = q*n + r and 0 <= r < n.
  int64_t Q = E / N;
  int64_t R = E % N;
  if (R < 0) {
    R += N;
    --Q;
  }
  Extended Inv = 1 / static_cast<Extended>(N);
  Extended Root = XtoY(P, Inv) * XtoY(2, static_cast<Extended>(R) * Inv);
  return ToDoubleResult(std::ldexp(Root, static_cast<int>(Q)));
}

double HarmonicMean(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  Extended R = 0;
  int64_t N = Walk(DataSource, FieldName, KeepPosition, [&](Extended X) {
    if (!FloatIsPositive(X)) Fail(rsVectorNotPos);
    R += 1 / X;
  });
  RequireCount(N, 1, rsAtLeastOne);
  return ToDoubleResult(static_cast<Extended>(N) / R);
}

double RootMeanSquare(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  Extended Q = 0;
  int64_t N = Walk(DataSource, FieldName, KeepPosition, [&](Extended X) { Q += X * X; });
  RequireCount(N, 1, rsAtLeastOne);
  return ToDoubleResult(std::sqrt(Q / static_cast<Extended>(N)));
}

double MeanDeviation(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, bool KeepPosition) {
  Extended A = 0;
  int64_t N = Walk(DataSource, FieldName, KeepPosition, [&](Extended X) { A += std::fabs(X - Mean); });
  RequireCount(N, 1, rsAtLeastOne);
  return ToDoubleResult(A / static_cast<Extended>(N));
}

double SampleVariance(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  Extended Mean = 0;
  return ToDoubleResult(SampleVarianceOf(DataSource, FieldName, KeepPosition, Mean));
}

double PopulationVariance(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  Extended Mean = 0;
  return ToDoubleResult(PopulationVarianceOf(DataSource, FieldName, KeepPosition, Mean));
}

double SampleStdDev(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  Extended Mean = 0;
  return ToDoubleResult(std::sqrt(SampleVarianceOf(DataSource, FieldName, KeepPosition, Mean)));
}

double PopulationStdDev(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition) {
  Extended Mean = 0;
  return ToDoubleResult(std::sqrt(PopulationVarianceOf(DataSource, FieldName, KeepPosition, Mean)));
}

// The out-parameters are assigned only after both results have passed the
// range check, so a failure leaves the caller's values as they were.

void SampleVarianceAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& Variance,
                           double& Mean, bool KeepPosition) {
  Extended M = 0;
  double V = ToDoubleResult(SampleVarianceOf(DataSource, FieldName, KeepPosition, M));
  double Mn = ToDoubleResult(M);
  Variance = V;
  Mean = Mn;
}

void PopulationVarianceAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& Variance,
                               double& Mean, bool KeepPosition) {
  Extended M = 0;
  double V = ToDoubleResult(PopulationVarianceOf(DataSource, FieldName, KeepPosition, M));
  double Mn = ToDoubleResult(M);
  Variance = V;
  Mean = Mn;
}

void SampleStdDevAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& StdDev,
                         double& Mean, bool KeepPosition) {
  Extended M = 0;
  double S = ToDoubleResult(std::sqrt(SampleVarianceOf(DataSource, FieldName, KeepPosition, M)));
  double Mn = ToDoubleResult(M);
  StdDev = S;
  Mean = Mn;
}

void PopulationStdDevAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& StdDev,
                             double& Mean, bool KeepPosition) {
  Extended M = 0;
  double S = ToDoubleResult(std::sqrt(PopulationVarianceOf(DataSource, FieldName, KeepPosition, M)));
  double Mn = ToDoubleResult(M);
  StdDev = S;
  Mean = Mn;
}

double GetSampleKurtosis(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, double StdDev,
                         bool KeepPosition) {
  RequireNonZeroStdDev(StdDev);
  int64_t Count = 0;
  Extended F = WalkCentralPowers(DataSource, FieldName, KeepPosition, Mean, 4, 4, rsAtLeastFour, Count);
  Extended N = static_cast<Extended>(Count);
  Extended S2 = static_cast<Extended>(StdDev) * StdDev;
  return ToDoubleResult(N * (N + 1) * F / ((N - 1) * (N - 2) * (N - 3) * S2 * S2) -
                        3 * (N - 1) * (N - 1) / ((N - 2) * (N - 3)));
}

double GetSampleSkew(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, double StdDev,
                     bool KeepPosition) {
  RequireNonZeroStdDev(StdDev);
  int64_t Count = 0;
  Extended C = WalkCentralPowers(DataSource, FieldName, KeepPosition, Mean, 3, 3, rsAtLeastThree, Count);
  Extended N = static_cast<Extended>(Count);
  Extended S = StdDev;
  return ToDoubleResult(N * C / ((N - 1) * (N - 2) * S * S * S));
}

double GetPopulationKurtosis(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean,
                             double StdDev, bool KeepPosition) {
  RequireNonZeroStdDev(StdDev);
  int64_t Count = 0;
  Extended F = WalkCentralPowers(DataSource, FieldName, KeepPosition, Mean, 4, 4, rsAtLeastFour, Count);
  Extended N = static_cast<Extended>(Count);
  Extended S2 = static_cast<Extended>(StdDev) * StdDev;
  return ToDoubleResult(F / (N * S2 * S2) - 3);
}

double GetPopulationSkew(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, double StdDev,
                         bool KeepPosition) {
  RequireNonZeroStdDev(StdDev);
  int64_t Count = 0;
  Extended C = WalkCentralPowers(DataSource, FieldName, KeepPosition, Mean, 3, 3, rsAtLeastThree, Count);
  Extended N = static_cast<Extended>(Count);
  Extended S = StdDev;
  return ToDoubleResult(C / (N * S * S * S));
}

}  // namespace zymqix
