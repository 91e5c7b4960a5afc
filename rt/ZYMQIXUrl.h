// Launchers that open a link of one kind through the host's URL opener
// (vcl::Host().OpenURL; xdg-open by default).
//
// Each launcher trims surrounding blanks, puts its scheme in front unless the
// text already starts with it (any case), and hands the URL over. The text is
// refused, and nothing is opened, when it is empty, holds a control character
// (below 32, or 127), or starts with "-" (which a program receiving the URL as
// an argument could take for an option). A text carrying another scheme gets
// this launcher's scheme in front, so a launcher never opens a different kind
// of link than its own ("ftp://x" through ExeHTTP becomes "http://ftp://x").
//
// Each returns True when the host accepted the URL.
#pragma once

#include <cstdint>
#include <string>

#include "vcl/TypInfo.h"

namespace zymqix {

/// Kind of link, by ordinal.
enum class TZYMUrlType : uint8_t {
  utHTTP,      ///< web page, "http://" (an "https://" text is kept as it is)
  utMailTo,    ///< e-mail address, "mailto:"
  utFTP,       ///< "ftp://"
  utHTTPS,     ///< secure web page, "https://"
  utNews,      ///< "news:"
  utNNTP,      ///< "nntp://"
  utTelnet,    ///< "telnet://"
  utGopher,    ///< "gopher://"
  utWAIS,      ///< "wais://"
  utFile,      ///< "file://"
  utProspero,  ///< "prospero://"
};
using enum TZYMUrlType;

bool ExeHTTP(const std::string& Text);
bool ExeMailTo(const std::string& Text);
bool ExeFTP(const std::string& Text);
bool ExeHTTPS(const std::string& Text);
bool ExeNews(const std::string& Text);
bool ExeNNTP(const std::string& Text);
bool ExeTelnet(const std::string& Text);
bool ExeGopher(const std::string& Text);
bool ExeWAIS(const std::string& Text);
bool ExeFileURL(const std::string& Text);
bool ExeProspero(const std::string& Text);

/// The URL a launcher of kind Type would open for Text; "" when Text is refused.
std::string ZYMMakeURL(TZYMUrlType Type, const std::string& Text);

}  // namespace zymqix

VCL_ENUM_NAMES(zymqix::TZYMUrlType, "utHTTP", "utMailTo", "utFTP", "utHTTPS", "utNews", "utNNTP", "utTelnet",
               "utGopher", "utWAIS", "utFile", "utProspero");
