// Aggregate functions over one numeric field of a dataset.
//
// Each function walks every record of DataSource's dataset once (FindFirst /
// FindNext), reading the field by name with AsFloat on each record; a null field
// counts with the value AsFloat gives for it (0). Sums are accumulated in
// extended precision and the result is rounded to a Double at the end.
//
// KeepPosition: the cursor returns to the record it was on (through a bookmark
// that is freed on every path) before the function returns or raises; otherwise
// it stays where the walk ended. The walk does not disable the dataset's
// controls, so linked controls see every record it visits.
//
// Failures raise vcl::EMathError with a base-package message: too few records
// (rsAtLeastOne .. rsAtLeastFour, raised after the position is restored), a
// value that is not positive for the geometric and harmonic means
// (rsVectorNotPos, at the first such record), a zero StdDev for the shape
// measures (rsStdDev, before the cursor moves), or a result outside the range
// of a Double. A missing data source or dataset, or a closed dataset, raises
// vcl::EDatabaseError before the cursor moves; errors of the dataset or the
// field (an unknown field name, a value that is not a number) pass through
// unchanged after the position is restored.
#pragma once

#include <string>

namespace vcl {
class TDataSource;
}

namespace zymqix {

double ZYMMean(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);
/// The n-th root of the product of the values; every value must be positive.
double GeometricMean(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);
/// n divided by the sum of the reciprocals; every value must be positive.
double HarmonicMean(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);
double RootMeanSquare(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);
/// The mean absolute deviation from the given Mean (used as given).
double MeanDeviation(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, bool KeepPosition);

// Variances and standard deviations: divisor n - 1 (sample, at least two
// records) or n (population, at least one). A rounding-negative variance of
// nearly constant data is returned as 0.
double SampleVariance(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);
double PopulationVariance(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);
double SampleStdDev(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);
double PopulationStdDev(vcl::TDataSource* DataSource, const std::string& FieldName, bool KeepPosition);

// The two results are written only when the function succeeds.
void SampleVarianceAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& Variance,
                           double& Mean, bool KeepPosition);
void PopulationVarianceAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& Variance,
                               double& Mean, bool KeepPosition);
void SampleStdDevAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& StdDev,
                         double& Mean, bool KeepPosition);
void PopulationStdDevAndMean(vcl::TDataSource* DataSource, const std::string& FieldName, double& StdDev,
                             double& Mean, bool KeepPosition);

// Shape measures about the given Mean and StdDev (used as given). Kurtosis is
// excess kurtosis. Kurtosis needs four records and skew three, in both forms.
double GetSampleKurtosis(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, double StdDev,
                         bool KeepPosition);
double GetSampleSkew(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, double StdDev,
                     bool KeepPosition);
double GetPopulationKurtosis(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean,
                             double StdDev, bool KeepPosition);
double GetPopulationSkew(vcl::TDataSource* DataSource, const std::string& FieldName, double Mean, double StdDev,
                         bool KeepPosition);

}  // namespace zymqix
