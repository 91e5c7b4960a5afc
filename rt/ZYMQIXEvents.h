// Event types of the base package's typed entry controls, shared with the
// data-aware edits built on them.
#pragma once

#include <functional>
#include <string>

#include "vcl/System.h"
#include "vcl/TypInfo.h"

namespace zymqix {

/// First step of leaving a typed edit. The handler may rewrite Text (the edit
/// then shows and converts the new text) and may set Valid to False, which skips
/// the bounds validation; Valid is True on entry.
using TZYMExitStartEvent = std::function<void(vcl::TObject* Sender, std::string& Text, bool& Valid)>;

/// A conversion failed while leaving the edit; Text is what could not be converted.
/// With a handler assigned the failure is not raised.
using TZYMConvertErrorEvent = std::function<void(vcl::TObject* Sender, std::string Text)>;

/// The value lies outside the edit's bounds. ErrorKind is 1 below the lower
/// bound, 2 above the upper one; some edits add codes of their own.
using TZYMBoundsValidationEvent = std::function<void(vcl::TObject* Sender, std::string Text, vcl::Byte ErrorKind)>;

}  // namespace zymqix
