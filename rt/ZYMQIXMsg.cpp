#include "rt/ZYMQIXMsg.h"

#include "vcl/Host.h"

namespace zymqix {

const char* const ZYMErrorCaption = "Error";
const char* const ZYMWarningCaption = "Warning";

void ErrorMsg(const std::string& Msg) {
  vcl::Host().MessageBox(Msg, ZYMErrorCaption, vcl::MB_OK | vcl::MB_ICONERROR);
}

void WarningMsg(const std::string& Msg) {
  vcl::Host().MessageBox(Msg, ZYMWarningCaption, vcl::MB_OK | vcl::MB_ICONWARNING);
}

}  // namespace zymqix
