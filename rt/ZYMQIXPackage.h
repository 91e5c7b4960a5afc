// Identity of the base run-time package.
#pragma once

#include <string>

namespace zymqix {

/// The package name the design-time packages bind to.
const std::string& BasePackageName();

}  // namespace zymqix
