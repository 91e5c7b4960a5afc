// Vector statistics of the base package: a dynamic array of extended values and
// the sums, order statistics and moments the statistics components compute on it.
//
// Every routine works in extended precision (80-bit long double). Routines that
// cannot produce a result for the vector they are given raise vcl::EMathError
// with one of the base package's messages (rsAtLeastOne ... rsStdDev).
#pragma once

#include <vector>

#include "vcl/System.h"

namespace zymqix {

using vcl::Extended;

/// The base package's dynamic array of extended values.
using TZYMFloatVector = std::vector<Extended>;

// ---- copies and order ----

/// A new vector with the same values in the same order.
TZYMFloatVector Vector2FloatVector(const TZYMFloatVector& V);
TZYMFloatVector Vector2FloatVector(const std::vector<double>& V);
/// Sorts in place, ascending. NaNs, which have no place in an order, go to the end.
void QSortVector(TZYMFloatVector& V);

// ---- sums ----
// Sums are compensated (Neumaier), so long vectors keep the accuracy of a single
// addition; an empty vector sums to 0.

Extended SumVector(const TZYMFloatVector& V);
/// Sum of the squares of the elements.
Extended SumSqVector(const TZYMFloatVector& V);
/// Sum of (element - M)^2.
Extended SumSqDiffVector(const TZYMFloatVector& V, Extended M);
/// Sum of (X[i] - MX) * (Y[i] - MY); raises EMathError when the lengths differ.
Extended SumProdDiffVectors(const TZYMFloatVector& X, const TZYMFloatVector& Y, Extended MX, Extended MY);
/// Sum of X[i] * Y[i]; raises EMathError when the lengths differ.
Extended DotProdVectors(const TZYMFloatVector& X, const TZYMFloatVector& Y);
/// Sum of (Y[i] - (A + B * X[i]))^2: the squared residuals of the line Y = A + B*X.
/// Raises EMathError when the lengths differ.
Extended GetSSE(const TZYMFloatVector& X, const TZYMFloatVector& Y, Extended A, Extended B);

// ---- order statistics (the vector must be sorted ascending) ----

/// The middle value, or the mean of the two middle values for an even length.
/// Raises EMathError (rsAtLeastOne) for an empty vector.
Extended GetMedian(const TZYMFloatVector& Sorted);
/// The mode: the single value that occurs more often than every other value
/// (values compare exactly, without tolerance). Returns false, leaving Mode
/// unchanged, when the vector is empty, when no value occurs twice, or when two
/// or more values share the highest count.
bool GetMode(const TZYMFloatVector& Sorted, Extended& Mode);
/// First and third quartiles by linear interpolation between order statistics
/// (the definition spreadsheets call QUARTILE.INC): the p-quantile lies at the
/// zero-based position h = (n - 1) * p, and is S[floor h] + (h - floor h) *
/// (S[floor h + 1] - S[floor h]). One value gives Q1 = Q3 = that value.
/// Raises EMathError (rsAtLeastOne) for an empty vector.
void GetQuartiles(const TZYMFloatVector& Sorted, Extended& Q1, Extended& Q3);

// ---- moments ----

/// Sample variance (divisor n - 1), taken about the mean in a second pass so that
/// data far from zero keep their digits. Raises EMathError (rsAtLeastTwo) below 2 values.
Extended SampleVariance(const TZYMFloatVector& V);
/// The sample variance and the mean, written to the two out-parameters in this
/// order; on failure (rsAtLeastTwo) both keep what they held.
void SampleVarianceAndMean(const TZYMFloatVector& V, Extended& Variance, Extended& Mean);

// The four shape measures use Mean and StdDev as given (neither is checked
// against the data). A StdDev that FloatIsZero accepts raises rsStdDev; fewer
// than four values (kurtosis) or three values (skew) raise rsAtLeastFour or
// rsAtLeastThree, for the population forms too.

/// Excess kurtosis of a sample:
/// n(n+1) S4 / ((n-1)(n-2)(n-3) s^4) - 3 (n-1)^2 / ((n-2)(n-3)), S4 = sum (x - Mean)^4.
Extended GetSampleKurtosis(const TZYMFloatVector& V, Extended Mean, Extended StdDev);
/// Excess kurtosis of a population: S4 / (n s^4) - 3.
Extended GetPopulationKurtosis(const TZYMFloatVector& V, Extended Mean, Extended StdDev);
/// Skewness of a sample: n S3 / ((n-1)(n-2) s^3), S3 = sum (x - Mean)^3.
Extended GetSampleSkew(const TZYMFloatVector& V, Extended Mean, Extended StdDev);
/// Skewness of a population: S3 / (n s^3).
Extended GetPopulationSkew(const TZYMFloatVector& V, Extended Mean, Extended StdDev);

}  // namespace zymqix
