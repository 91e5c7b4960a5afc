#include "rt/ZYMQIXPackage.h"

namespace zymqix {

const std::string& BasePackageName() {
  static const std::string Name = "zymqix_rt";
  return Name;
}

}  // namespace zymqix
