#include "rt/ZYMQIXVector.h"

#include <algorithm>
#include <cmath>

#include "rt/ZYMQIXConsts.h"
#include "rt/ZYMQIXNumConv.h"
#include "vcl/SysUtils.h"

namespace zymqix {

namespace {

/// Neumaier's compensated sum: the running error of each addition is carried
/// apart and added back at the end.
class TCompensatedSum {
public:
  void Add(Extended X) {
    Extended T = FSum + X;
    if (std::fabs(FSum) >= std::fabs(X))
      FComp += (FSum - T) + X;
    else
      FComp += (X - T) + FSum;
    FSum = T;
  }
  Extended Value() const { return FSum + FComp; }

private:
  Extended FSum = 0;
  Extended FComp = 0;
};

[[noreturn]] void Fail(const char* Message) { throw vcl::EMathError(Message); }

void CheckSameLength(const TZYMFloatVector& X, const TZYMFloatVector& Y) {
  if (X.size() != Y.size())
    throw vcl::EMathError("The two vectors differ in length (" + std::to_string(X.size()) + " and " +
                          std::to_string(Y.size()) + " values).");
}

void CheckShapeArgs(const TZYMFloatVector& V, Extended StdDev, size_t MinCount, const char* CountMessage) {
  if (FloatIsZero(StdDev)) Fail(rsStdDev);
  if (V.size() < MinCount) Fail(CountMessage);
}

template <class F>
Extended SumOf(const TZYMFloatVector& V, F Term) {
  TCompensatedSum S;
  for (Extended X : V) S.Add(Term(X));
  return S.Value();
}

/// The p-quantile of a sorted, non-empty vector (linear interpolation, position (n-1)p).
Extended Quantile(const TZYMFloatVector& S, Extended P) {
  Extended H = static_cast<Extended>(S.size() - 1) * P;
  size_t Lo = static_cast<size_t>(std::floor(H));
  if (Lo + 1 >= S.size()) return S.back();
  return S[Lo] + (H - static_cast<Extended>(Lo)) * (S[Lo + 1] - S[Lo]);
}

}  // namespace

TZYMFloatVector Vector2FloatVector(const TZYMFloatVector& V) { return V; }

TZYMFloatVector Vector2FloatVector(const std::vector<double>& V) { return TZYMFloatVector(V.begin(), V.end()); }

void QSortVector(TZYMFloatVector& V) {
  // A NaN compares false with everything, which would break the ordering the
  // sort relies on; treating every NaN as above every number keeps it strict.
  std::sort(V.begin(), V.end(), [](Extended A, Extended B) {
    if (std::isnan(A)) return false;
    if (std::isnan(B)) return true;
    return A < B;
  });
}

Extended SumVector(const TZYMFloatVector& V) {
  return SumOf(V, [](Extended X) { return X; });
}

Extended SumSqVector(const TZYMFloatVector& V) {
  return SumOf(V, [](Extended X) { return X * X; });
}

Extended SumSqDiffVector(const TZYMFloatVector& V, Extended M) {
  return SumOf(V, [M](Extended X) { return (X - M) * (X - M); });
}

Extended SumProdDiffVectors(const TZYMFloatVector& X, const TZYMFloatVector& Y, Extended MX, Extended MY) {
  CheckSameLength(X, Y);
  TCompensatedSum S;
  for (size_t I = 0; I < X.size(); ++I) S.Add((X[I] - MX) * (Y[I] - MY));
  return S.Value();
}

Extended DotProdVectors(const TZYMFloatVector& X, const TZYMFloatVector& Y) {
  CheckSameLength(X, Y);
  TCompensatedSum S;
  for (size_t I = 0; I < X.size(); ++I) S.Add(X[I] * Y[I]);
  return S.Value();
}

Extended GetSSE(const TZYMFloatVector& X, const TZYMFloatVector& Y, Extended A, Extended B) {
  CheckSameLength(X, Y);
  TCompensatedSum S;
  for (size_t I = 0; I < X.size(); ++I) {
    Extended E = Y[I] - (A + B * X[I]);
    S.Add(E * E);
  }
  return S.Value();
}

Extended GetMedian(const TZYMFloatVector& Sorted) {
  if (Sorted.empty()) Fail(rsAtLeastOne);
  size_t N = Sorted.size();
  if (N % 2 == 1) return Sorted[N / 2];
  return (Sorted[N / 2 - 1] + Sorted[N / 2]) / 2;
}

bool GetMode(const TZYMFloatVector& Sorted, Extended& Mode) {
  size_t BestCount = 1;
  bool Tied = false;
  Extended Best = 0;
  for (size_t I = 0; I < Sorted.size();) {
    size_t J = I + 1;
    while (J < Sorted.size() && Sorted[J] == Sorted[I]) ++J;
    size_t Count = J - I;
    if (Count > BestCount) {
      BestCount = Count;
      Best = Sorted[I];
      Tied = false;
    } else if (Count == BestCount && BestCount > 1) {
      Tied = true;
    }
    I = J;
  }
  if (BestCount < 2 || Tied) return false;
  Mode = Best;
  return true;
}

void GetQuartiles(const TZYMFloatVector& Sorted, Extended& Q1, Extended& Q3) {
  if (Sorted.empty()) Fail(rsAtLeastOne);
  Q1 = Quantile(Sorted, 0.25L);
  Q3 = Quantile(Sorted, 0.75L);
}

void SampleVarianceAndMean(const TZYMFloatVector& V, Extended& Variance, Extended& Mean) {
  if (V.size() < 2) Fail(rsAtLeastTwo);
  Extended N = static_cast<Extended>(V.size());
  Extended M = SumVector(V) / N;
  Variance = SumSqDiffVector(V, M) / (N - 1);
  Mean = M;
}

Extended SampleVariance(const TZYMFloatVector& V) {
  Extended Variance = 0, Mean = 0;
  SampleVarianceAndMean(V, Variance, Mean);
  return Variance;
}

Extended GetSampleKurtosis(const TZYMFloatVector& V, Extended Mean, Extended StdDev) {
  CheckShapeArgs(V, StdDev, 4, rsAtLeastFour);
  Extended N = static_cast<Extended>(V.size());
  Extended F = SumOf(V, [Mean](Extended X) {
    Extended D = (X - Mean) * (X - Mean);
    return D * D;
  });
  Extended S2 = StdDev * StdDev;
  return N * (N + 1) * F / ((N - 1) * (N - 2) * (N - 3) * S2 * S2) - 3 * (N - 1) * (N - 1) / ((N - 2) * (N - 3));
}

Extended GetPopulationKurtosis(const TZYMFloatVector& V, Extended Mean, Extended StdDev) {
  CheckShapeArgs(V, StdDev, 4, rsAtLeastFour);
  Extended N = static_cast<Extended>(V.size());
  Extended F = SumOf(V, [Mean](Extended X) {
    Extended D = (X - Mean) * (X - Mean);
    return D * D;
  });
  Extended S2 = StdDev * StdDev;
  return F / (N * S2 * S2) - 3;
}

Extended GetSampleSkew(const TZYMFloatVector& V, Extended Mean, Extended StdDev) {
  CheckShapeArgs(V, StdDev, 3, rsAtLeastThree);
  Extended N = static_cast<Extended>(V.size());
  Extended C = SumOf(V, [Mean](Extended X) { return (X - Mean) * (X - Mean) * (X - Mean); });
  return N * C / ((N - 1) * (N - 2) * StdDev * StdDev * StdDev);
}

Extended GetPopulationSkew(const TZYMFloatVector& V, Extended Mean, Extended StdDev) {
  CheckShapeArgs(V, StdDev, 3, rsAtLeastThree);
  Extended N = static_cast<Extended>(V.size());
  Extended C = SumOf(V, [Mean](Extended X) { return (X - Mean) * (X - Mean) * (X - Mean); });
  return C / (N * StdDev * StdDev * StdDev);
}

}  // namespace zymqix
