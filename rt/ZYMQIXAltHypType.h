// The alternative hypotheses of the base package's hypothesis tests.
#pragma once

#include <cstdint>

#include "vcl/TypInfo.h"

namespace zymqix {

/// Kind of alternative hypothesis, by ordinal.
enum class TZYMAltHypType : uint8_t {
  ahtLess,      ///< the population value is less than the hypothesised one (lower-tailed)
  ahtGreater,   ///< greater (upper-tailed)
  ahtNotEqual,  ///< not equal (two-tailed)
};
using enum TZYMAltHypType;

}  // namespace zymqix

VCL_ENUM_NAMES(zymqix::TZYMAltHypType, "ahtLess", "ahtGreater", "ahtNotEqual");
