#include "rt/ZYMQIXAltHypType.h"

#include <gtest/gtest.h>

// The hypothesis tests pick the tail by these positions.
static_assert(static_cast<int>(zymqix::ahtLess) == 0);
static_assert(static_cast<int>(zymqix::ahtGreater) == 1);
static_assert(static_cast<int>(zymqix::ahtNotEqual) == 2);

TEST(AltHypType, NamesFollowTheOrdinals) {
  EXPECT_EQ(vcl::TEnumInfo<zymqix::TZYMAltHypType>::Names(),
            (std::vector<std::string>{"ahtLess", "ahtGreater", "ahtNotEqual"}));
}
