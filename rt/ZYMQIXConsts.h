// Resource strings of the base package: every user-visible text the base
// package and its callers show, each defined once in ZYMQIXConsts.cpp.
//
// Texts that a caller follows directly with a value (rsLowerBound, rsCannot,
// ...) end with the separator that the value needs.
#pragma once

namespace zymqix {

// ---- bounds and configuration messages of the entry controls ----
extern const char* const rsUnaccept;       ///< a value refused without a particular bound
extern const char* const rsLowerBound;     ///< followed by the lower bound
extern const char* const rsUpperBound;     ///< followed by the upper bound
extern const char* const rsCannot;         ///< followed by a number and rsDecimalPlaces
extern const char* const rsDecimalPlaces;
extern const char* const rsCurrencyFormat1;  ///< currency symbol written without the custom format type
extern const char* const rsCurrencyFormat2;  ///< positive layout written without the custom format type
extern const char* const rsCurrencyFormat3;  ///< negative layout written without the custom format type
extern const char* const rsCustomFormat;     ///< custom format written without the custom format type
extern const char* const rsNA;               ///< "not applicable"

// ---- statistics failures (raised as vcl::EMathError) ----
extern const char* const rsAtLeastOne;
extern const char* const rsAtLeastTwo;
extern const char* const rsAtLeastThree;
extern const char* const rsAtLeastFour;
extern const char* const rsStdDev;        ///< a standard deviation of zero where one is divided by
extern const char* const rsVectorIsEmpty;
extern const char* const rsVectorNotPos;

// ---- descriptive statistics report labels ----
extern const char* const rsDSNoOfValues;
extern const char* const rsDSMaximum;
extern const char* const rsDSMinimum;
extern const char* const rsDSRange;
extern const char* const rsDSSum;
extern const char* const rsDSSumSQ;
extern const char* const rsDSMean;
extern const char* const rsDSMode;
extern const char* const rsDSNoMode;       ///< a whole line: no value occurs more often than the others
extern const char* const rsDSMedian;
extern const char* const rsDSVariance;
extern const char* const rsDSStdDev;
extern const char* const rsDSNEVariance;   ///< a whole line: too few values for a variance
extern const char* const rsDSNEStdDev;     ///< a whole line: too few values for a standard deviation
extern const char* const rsDSKurtosis;
extern const char* const rsDSNEKurtosis;   ///< a whole line
extern const char* const rsDSSDKurtosis;   ///< a whole line: standard deviation zero
extern const char* const rsDSSkew;
extern const char* const rsDSNESkew;       ///< a whole line
extern const char* const rsDSSDSkew;       ///< a whole line: standard deviation zero
extern const char* const rsDSQtr1;
extern const char* const rsDSQtr3;
extern const char* const rsDSIQR;

// ---- hypothesis test report ----
extern const char* const rsDSConfidence;
extern const char* const rsDSSignificance;
extern const char* const rsDSConfidenceIntervalM;
extern const char* const rsDSConfidenceIntervalV;
extern const char* const rsNullHypothesis;
extern const char* const rsAlternateHypothesis;
extern const char* const rsTestStatistic;
extern const char* const rsPValue;
extern const char* const rsRejectionRegion;
extern const char* const rsRejected;         ///< a whole line
extern const char* const rsRejectReason;     ///< a whole line
extern const char* const rsNotRejected;      ///< a whole line
extern const char* const rsNotRejectReason;  ///< a whole line

// ---- linear regression report ----
extern const char* const rsDSMeanX;
extern const char* const rsDSStdDevX;
extern const char* const rsDSMeanY;
extern const char* const rsDSStdDevY;
extern const char* const rsDSCovar;
extern const char* const rsDSRegressionLine;
extern const char* const rsDSSSE;
extern const char* const rsDSCoeffDet;
extern const char* const rsDSCoeffCor;

// ---- statistics: inputs the walks and components cannot work with ----
extern const char* const rsNoDataSource;     ///< raised as vcl::EDatabaseError
extern const char* const rsNoDataSet;        ///< raised as vcl::EDatabaseError
extern const char* const rsDataSetClosed;    ///< raised as vcl::EDatabaseError
extern const char* const rsNoDataField;      ///< raised as vcl::EDatabaseError
extern const char* const rsFewerRecords;     ///< followed by " (read of claimed)"; vcl::EDatabaseError
extern const char* const rsResultNaN;        ///< raised as vcl::EMathError
extern const char* const rsResultRange;      ///< followed by the result; vcl::EMathError
extern const char* const rsConfidenceRange;  ///< followed by the level; vcl::EMathError
extern const char* const rsVarPopNotPos;     ///< followed by the variance; vcl::EMathError
extern const char* const rsXValuesEqual;     ///< raised as vcl::EMathError
extern const char* const rsYValuesEqual;     ///< raised as vcl::EMathError

// ---- conversions and arithmetic of the base package ----
extern const char* const rsInvalidIPAddress; ///< after a quoted text
extern const char* const rsCurrencyRange;    ///< an amount outside the currency type's range
extern const char* const rsDivByZero;
extern const char* const rsFractionOverflow;
extern const char* const rsValueOutOfRange;  ///< after a quoted text
extern const char* const rsNotANumber;
extern const char* const rsNoRealPower;       ///< a negative base with a fractional exponent
extern const char* const rsFloatOverflow;

}  // namespace zymqix
