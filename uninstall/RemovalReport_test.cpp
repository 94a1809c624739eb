#include "uninstall/RemovalReport.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/LocalServer.h"

namespace uninstall {
namespace {

using testsupport::LocalServer;
using testsupport::Reply;
using namespace std::string_literals;

HttpGetOptions Quick() {
  HttpGetOptions o = ReportRequestOptions();
  o.timeoutMs = 5000;
  o.connectRetryPauseMs = 10;
  return o;
}

TEST(RemovalReport, UrlCarriesTheProductNameEncodedOnItsGbkBytes) {
  EXPECT_EQ(RemovalReportUrl("http://www.vistrel.com", kProductName),
            "http://www.vistrel.com/kivvo/unsetup.asp?flag=Vistrel");
  EXPECT_EQ(RemovalReportUrl("http://h:81", "Vis trel+2"), "http://h:81/kivvo/unsetup.asp?flag=Vis%20trel%2B2");
  EXPECT_EQ(RemovalReportUrl("http://h", "卸载"), "http://h/kivvo/unsetup.asp?flag=%D0%B6%D4%D8");
}

TEST(RemovalReport, OneRequestWithTheRangeLineAndTheWholeAnswerAsText) {
  const std::string answer = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-1/2\r\n\r\nok";
  LocalServer server(Reply(answer));
  std::string text = "stale";
  ASSERT_EQ(HttpGetToString(server.Url("/kivvo/unsetup.asp?flag=%D0%B6Vistrel"), text, Quick()), 0);
  EXPECT_EQ(text, answer);
  ASSERT_EQ(server.Requests().size(), 1u);
  // The object goes out as given: the flag is not escaped a second time.
  // The Host line names the port, which is not 80.
  EXPECT_EQ(server.Requests()[0],
            "GET /kivvo/unsetup.asp?flag=%D0%B6Vistrel HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port) +
                "\r\nAccept: */*\r\n"
            "User-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\nPragma: no-cache\r\n"
            "Cache-Control: no-cache\r\nRange: bytes=0-\r\nConnection: close\r\n\r\n");
}

TEST(RemovalReport, AnswersAreBoundedAndFailuresGiveOne) {
  // A chunk counts up to its first NUL; an endless answer stops at the bound.
  LocalServer nul(Reply("HTTP/1.1 200 OK\r\n\r\nab\0cd"s));
  std::string text;
  EXPECT_EQ(HttpGetToString(nul.Url("/"), text, Quick()), 0);
  EXPECT_EQ(text, "HTTP/1.1 200 OK\r\n\r\nab");

  LocalServer flood([](int fd, const std::string&) {
    const std::string block(64 * 1024, 'x');
    while (testsupport::SendBytes(fd, block)) {
    }
  });
  HttpGetOptions small = Quick();
  small.maxBodyBytes = 10000;
  EXPECT_EQ(HttpGetToString(flood.Url("/"), text, small), 0);
  EXPECT_EQ(text, std::string(10000, 'x'));

  text = "stale";
  EXPECT_EQ(HttpGetToString("http://no-such-host.invalid/x", text, Quick()), 1);
  EXPECT_EQ(text, "");
  uint16_t closedPort;
  {
    LocalServer gone(Reply(""), 0);
    closedPort = gone.port;
  }
  EXPECT_EQ(HttpGetToString("http://127.0.0.1:" + std::to_string(closedPort) + "/x", text, Quick()), 1);
}

}  // namespace
}  // namespace uninstall
