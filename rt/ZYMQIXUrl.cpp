#include "rt/ZYMQIXUrl.h"

#include "vcl/Host.h"
#include "vcl/SysUtils.h"

namespace zymqix {

namespace {

const char* Scheme(TZYMUrlType Type) {
  switch (Type) {
    case utHTTP: return "http://";
    case utMailTo: return "mailto:";
    case utFTP: return "ftp://";
    case utHTTPS: return "https://";
    case utNews: return "news:";
    case utNNTP: return "nntp://";
    case utTelnet: return "telnet://";
    case utGopher: return "gopher://";
    case utWAIS: return "wais://";
    case utFile: return "file://";
    case utProspero: return "prospero://";
  }
  return "";
}

bool StartsWith(const std::string& S, const std::string& Prefix) {
  return S.size() >= Prefix.size() && vcl::SameText(S.substr(0, Prefix.size()), Prefix);
}

bool Launch(TZYMUrlType Type, const std::string& Text) {
  std::string Url = ZYMMakeURL(Type, Text);
  return !Url.empty() && vcl::Host().OpenURL(Url);
}

}  // namespace

std::string ZYMMakeURL(TZYMUrlType Type, const std::string& Text) {
  size_t First = Text.find_first_not_of(' ');
  if (First == std::string::npos) return "";
  std::string T = Text.substr(First, Text.find_last_not_of(' ') - First + 1);
  for (char C : T)
    if (static_cast<unsigned char>(C) < 32 || C == 127) return "";
  if (T[0] == '-') return "";
  std::string Prefix = Scheme(Type);
  if (StartsWith(T, Prefix)) return T;
  if (Type == utHTTP && StartsWith(T, Scheme(utHTTPS))) return T;
  // "file:/path" and "file:///path" are both file URLs.
  if (Type == utFile && StartsWith(T, "file:")) return T;
  return Prefix + T;
}

bool ExeHTTP(const std::string& Text) { return Launch(utHTTP, Text); }
bool ExeMailTo(const std::string& Text) { return Launch(utMailTo, Text); }
bool ExeFTP(const std::string& Text) { return Launch(utFTP, Text); }
bool ExeHTTPS(const std::string& Text) { return Launch(utHTTPS, Text); }
bool ExeNews(const std::string& Text) { return Launch(utNews, Text); }
bool ExeNNTP(const std::string& Text) { return Launch(utNNTP, Text); }
bool ExeTelnet(const std::string& Text) { return Launch(utTelnet, Text); }
bool ExeGopher(const std::string& Text) { return Launch(utGopher, Text); }
bool ExeWAIS(const std::string& Text) { return Launch(utWAIS, Text); }
bool ExeFileURL(const std::string& Text) { return Launch(utFile, Text); }
bool ExeProspero(const std::string& Text) { return Launch(utProspero, Text); }

}  // namespace zymqix
