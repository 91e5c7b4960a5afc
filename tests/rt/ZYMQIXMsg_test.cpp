#include "rt/ZYMQIXMsg.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "rt/ZYMQIXConsts.h"
#include "vcl/Host.h"

using namespace zymqix;

namespace {

TEST(Messages, ErrorAndWarningGoToTheHostWithTheirIcons) {
  vcl::THostScope Scope;
  ErrorMsg("bad");
  WarningMsg("careful");
  const auto& M = vcl::Host().Messages();
  ASSERT_EQ(M.size(), 2u);
  EXPECT_EQ(M[0].Text, "bad");
  EXPECT_EQ(M[0].Caption, "Error");
  EXPECT_EQ(M[0].Flags, vcl::MB_OK | vcl::MB_ICONERROR);
  EXPECT_EQ(M[1].Text, "careful");
  EXPECT_EQ(M[1].Caption, "Warning");
  EXPECT_EQ(M[1].Flags, vcl::MB_OK | vcl::MB_ICONWARNING);
}

TEST(Messages, InvalidFieldTypeCarriesItsText) {
  try {
    throw EInvalidFieldType("Only Integer type Fields permitted");
  } catch (const vcl::Exception& E) {
    EXPECT_EQ(E.Message(), "Only Integer type Fields permitted");
  }
}

// A text copied onto the wrong name would make two reports or messages read the same.
TEST(ResourceStrings, EveryTextIsPresentAndDistinct) {
  const char* const All[] = {
      rsUnaccept, rsLowerBound, rsUpperBound, rsCannot, rsDecimalPlaces, rsCurrencyFormat1, rsCurrencyFormat2,
      rsCurrencyFormat3, rsCustomFormat, rsNA, rsAtLeastOne, rsAtLeastTwo, rsAtLeastThree, rsAtLeastFour,
      rsStdDev, rsVectorIsEmpty, rsVectorNotPos, rsDSNoOfValues, rsDSMaximum, rsDSMinimum, rsDSRange, rsDSSum,
      rsDSSumSQ, rsDSMean, rsDSMode, rsDSNoMode, rsDSMedian, rsDSVariance, rsDSStdDev, rsDSNEVariance,
      rsDSNEStdDev, rsDSKurtosis, rsDSNEKurtosis, rsDSSDKurtosis, rsDSSkew, rsDSNESkew, rsDSSDSkew, rsDSQtr1,
      rsDSQtr3, rsDSIQR, rsDSConfidence, rsDSSignificance, rsDSConfidenceIntervalM, rsDSConfidenceIntervalV,
      rsNullHypothesis, rsAlternateHypothesis, rsTestStatistic, rsPValue, rsRejectionRegion, rsRejected,
      rsRejectReason, rsNotRejected, rsNotRejectReason, rsDSMeanX, rsDSStdDevX, rsDSMeanY, rsDSStdDevY,
      rsDSCovar, rsDSRegressionLine, rsDSSSE, rsDSCoeffDet, rsDSCoeffCor,
      rsInvalidIPAddress, rsCurrencyRange, rsDivByZero, rsFractionOverflow, rsValueOutOfRange, rsNotANumber, rsNoRealPower, rsFloatOverflow};
  std::set<std::string> Seen;
  for (const char* S : All) {
    ASSERT_NE(S, nullptr);
    EXPECT_FALSE(std::string(S).empty());
    EXPECT_TRUE(Seen.insert(S).second) << "duplicate text: " << S;
  }
}

// A report line is "label TAB value": a label must not bring its own tab or line break.
TEST(ResourceStrings, ReportLabelsHoldNoTabsOrLineBreaks) {
  for (const char* S : {rsDSMean, rsDSNoMode, rsDSNEKurtosis, rsRejectReason, rsDSCoeffCor, rsVectorIsEmpty})
    EXPECT_EQ(std::string(S).find_first_of("\t\r\n"), std::string::npos) << S;
}

TEST(ResourceStrings, MessagesJoinedWithAValueReadAsOneSentence) {
  EXPECT_EQ(std::string(rsCannot) + "2" + rsDecimalPlaces, "Cannot show more than 2 decimal places.");
  EXPECT_EQ(std::string(rsLowerBound) + "10", "The value is below the lowest accepted value: 10");
}

}  // namespace
