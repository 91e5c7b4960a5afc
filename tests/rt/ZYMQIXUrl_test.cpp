#include "rt/ZYMQIXUrl.h"

#include <gtest/gtest.h>

#include "vcl/Host.h"

using namespace zymqix;

namespace {

class UrlTest : public ::testing::Test {
protected:
  void SetUp() override {
    vcl::Host().OnOpenURL = [this](const std::string& Url) {
      Opened.push_back(Url);
      return Accept;
    };
  }
  vcl::THostScope Host;
  std::vector<std::string> Opened;
  bool Accept = true;
};

using TLauncher = bool (*)(const std::string&);

struct LaunchCase {
  TLauncher Fn;
  TZYMUrlType Type;
  const char* Text;
  const char* Url;
};

}  // namespace

TEST_F(UrlTest, EachLauncherAddsItsSchemeOnlyWhenMissing) {
  const LaunchCase Cases[] = {
      {ExeHTTP, utHTTP, "www.example.com", "http://www.example.com"},
      {ExeHTTP, utHTTP, "HTTP://www.example.com/a?b=c", "HTTP://www.example.com/a?b=c"},
      {ExeHTTP, utHTTP, "https://secure.example.com", "https://secure.example.com"},
      {ExeHTTP, utHTTP, "localhost:8080/x", "http://localhost:8080/x"},
      {ExeHTTP, utHTTP, "ftp://files.example.com", "http://ftp://files.example.com"},
      {ExeHTTP, utHTTP, "  www.example.com  ", "http://www.example.com"},
      {ExeMailTo, utMailTo, "someone@example.com", "mailto:someone@example.com"},
      {ExeMailTo, utMailTo, "MailTo:someone@example.com", "MailTo:someone@example.com"},
      {ExeFTP, utFTP, "ftp.example.com/pub", "ftp://ftp.example.com/pub"},
      {ExeHTTPS, utHTTPS, "secure.example.com", "https://secure.example.com"},
      {ExeHTTPS, utHTTPS, "http://plain.example.com", "https://http://plain.example.com"},
      {ExeNews, utNews, "comp.lang.c++", "news:comp.lang.c++"},
      {ExeNNTP, utNNTP, "news.example.com/comp.lang", "nntp://news.example.com/comp.lang"},
      {ExeTelnet, utTelnet, "host.example.com:23", "telnet://host.example.com:23"},
      {ExeGopher, utGopher, "gopher.example.com", "gopher://gopher.example.com"},
      {ExeWAIS, utWAIS, "wais.example.com/db", "wais://wais.example.com/db"},
      {ExeFileURL, utFile, "/tmp/a b.txt", "file:///tmp/a b.txt"},
      {ExeFileURL, utFile, "file:/tmp/x", "file:/tmp/x"},
      {ExeProspero, utProspero, "host.example.com/x", "prospero://host.example.com/x"},
  };
  for (const LaunchCase& C : Cases) {
    SCOPED_TRACE(C.Text);
    Opened.clear();
    EXPECT_TRUE(C.Fn(C.Text));
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0], C.Url);
    EXPECT_EQ(ZYMMakeURL(C.Type, C.Text), C.Url);
  }
}

TEST_F(UrlTest, TheUrlTypeOrdinalsNameTheLaunchersInOrder) {
  const char* Schemes[] = {"http://", "mailto:", "ftp://",    "https://", "news:",      "nntp://",
                           "telnet://", "gopher://", "wais://", "file://",  "prospero://"};
  for (int I = 0; I < 11; ++I) EXPECT_EQ(ZYMMakeURL(static_cast<TZYMUrlType>(I), "x"), std::string(Schemes[I]) + "x");
}

TEST_F(UrlTest, UnsafeTextIsRefusedAndNothingOpens) {
  for (const char* Text : {"", "   ", "-x", "  --help", "-", "a\nb", "a\tb", "a\rb", "www.example.com\x7f",
                           "\x1b[31m"}) {
    SCOPED_TRACE(Text);
    for (TLauncher Fn : {ExeHTTP, ExeMailTo, ExeFileURL, ExeTelnet}) EXPECT_FALSE(Fn(Text));
    EXPECT_EQ(ZYMMakeURL(utHTTP, Text), "");
  }
  EXPECT_TRUE(Opened.empty());
  EXPECT_TRUE(vcl::Host().OpenedURLs().empty());
}

TEST_F(UrlTest, TheHostsAnswerIsReturned) {
  Accept = false;
  EXPECT_FALSE(ExeHTTP("www.example.com"));
  EXPECT_EQ(Opened.size(), 1u);
}
