#include "rt/ZYMQIXConsts.h"

namespace zymqix {

const char* const rsUnaccept = "The value is not acceptable.";
const char* const rsLowerBound = "The value is below the lowest accepted value: ";
const char* const rsUpperBound = "The value is above the highest accepted value: ";
const char* const rsCannot = "Cannot show more than ";
const char* const rsDecimalPlaces = " decimal places.";
const char* const rsCurrencyFormat1 = "The currency symbol is used only while FormatType is cftCustom.";
const char* const rsCurrencyFormat2 = "The positive currency layout is used only while FormatType is cftCustom.";
const char* const rsCurrencyFormat3 = "The negative currency layout is used only while FormatType is cftCustom.";
const char* const rsCustomFormat = "A custom format is used only while FormatType selects the custom format.";
const char* const rsNA = "N/A";

const char* const rsAtLeastOne = "At least one value is needed.";
const char* const rsAtLeastTwo = "At least two values are needed.";
const char* const rsAtLeastThree = "At least three values are needed.";
const char* const rsAtLeastFour = "At least four values are needed.";
const char* const rsStdDev = "The standard deviation is zero.";
const char* const rsVectorIsEmpty = "There are no values.";
const char* const rsVectorNotPos = "Every value must be greater than zero.";

const char* const rsDSNoOfValues = "Number of values";
const char* const rsDSMaximum = "Maximum";
const char* const rsDSMinimum = "Minimum";
const char* const rsDSRange = "Range";
const char* const rsDSSum = "Sum";
const char* const rsDSSumSQ = "Sum of squares";
const char* const rsDSMean = "Mean";
const char* const rsDSMode = "Mode";
const char* const rsDSNoMode = "Mode: none (no value occurs more often than the others)";
const char* const rsDSMedian = "Median";
const char* const rsDSVariance = "Variance";
const char* const rsDSStdDev = "Standard deviation";
const char* const rsDSNEVariance = "Variance: not enough values";
const char* const rsDSNEStdDev = "Standard deviation: not enough values";
const char* const rsDSKurtosis = "Kurtosis";
const char* const rsDSNEKurtosis = "Kurtosis: not enough values (at least four are needed)";
const char* const rsDSSDKurtosis = "Kurtosis: undefined, the standard deviation is zero";
const char* const rsDSSkew = "Skewness";
const char* const rsDSNESkew = "Skewness: not enough values (at least three are needed)";
const char* const rsDSSDSkew = "Skewness: undefined, the standard deviation is zero";
const char* const rsDSQtr1 = "First quartile";
const char* const rsDSQtr3 = "Third quartile";
const char* const rsDSIQR = "Interquartile range";

const char* const rsDSConfidence = "Confidence level";
const char* const rsDSSignificance = "Significance level";
const char* const rsDSConfidenceIntervalM = "Confidence interval for the mean";
const char* const rsDSConfidenceIntervalV = "Confidence interval for the variance";
const char* const rsNullHypothesis = "Null hypothesis";
const char* const rsAlternateHypothesis = "Alternative hypothesis";
const char* const rsTestStatistic = "Test statistic";
const char* const rsPValue = "P-value";
const char* const rsRejectionRegion = "Rejection region";
const char* const rsRejected = "The null hypothesis is rejected.";
const char* const rsRejectReason = "The test statistic lies in the rejection region.";
const char* const rsNotRejected = "The null hypothesis is not rejected.";
const char* const rsNotRejectReason = "The test statistic lies outside the rejection region.";

const char* const rsDSMeanX = "Mean of X";
const char* const rsDSStdDevX = "Standard deviation of X";
const char* const rsDSMeanY = "Mean of Y";
const char* const rsDSStdDevY = "Standard deviation of Y";
const char* const rsDSCovar = "Covariance";
const char* const rsDSRegressionLine = "Regression line";
const char* const rsDSSSE = "Sum of squared errors";
const char* const rsDSCoeffDet = "Coefficient of determination";
const char* const rsDSCoeffCor = "Correlation coefficient";

const char* const rsNoDataSource = "No data source is assigned.";
const char* const rsNoDataSet = "The data source has no dataset.";
const char* const rsDataSetClosed = "The dataset is closed.";
const char* const rsNoDataField = "No data field is assigned.";
const char* const rsFewerRecords = "The dataset ended before all the records its record count claims were read";
const char* const rsResultNaN = "The result is not a number: the data hold values that are not finite.";
const char* const rsResultRange = "The result lies outside the range of a Double: ";
const char* const rsConfidenceRange = "The confidence level must lie strictly between 0 and 100, not ";
const char* const rsVarPopNotPos = "The hypothesised population variance must be greater than 0, not ";
const char* const rsXValuesEqual = "All X values are equal, so the regression line is undefined.";
const char* const rsYValuesEqual = "All Y values are equal, so the correlation coefficient is undefined.";

const char* const rsInvalidIPAddress = " is not a valid IP address";
const char* const rsCurrencyRange = "The amount is outside the range of the currency type.";
const char* const rsDivByZero = "Division by zero.";
const char* const rsFractionOverflow = "The fraction's numerator or denominator is too large.";
const char* const rsValueOutOfRange = " is out of range";
const char* const rsNotANumber = "The value is not a number.";
const char* const rsNoRealPower = "A negative number has no real power with a fractional exponent.";
const char* const rsFloatOverflow = "The result is too large for a floating point value.";

}  // namespace zymqix
