// Message boxes of the base package and the field-type exception.
#pragma once

#include <string>

#include "vcl/SysUtils.h"

namespace zymqix {

/// Raised when a control is bound to a field of a type it cannot show.
class EInvalidFieldType : public vcl::Exception {
public:
  using vcl::Exception::Exception;
};

/// Caption of the boxes below.
extern const char* const ZYMErrorCaption;
extern const char* const ZYMWarningCaption;

/// Shows Msg in an error box (OK button, error icon) through the host and
/// returns when the user closes it. Never raises for the text's sake.
void ErrorMsg(const std::string& Msg);
/// Shows Msg in a warning box (OK button, warning icon) through the host.
void WarningMsg(const std::string& Msg);

}  // namespace zymqix
