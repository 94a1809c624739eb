#include "online/HttpGet.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"
#include "online/Md5.h"
#include "online/UpdateWorker.h"
#include "tests/support/LocalServer.h"

namespace {

using testsupport::LocalServer;
using testsupport::Reply;
using testsupport::SendBytes;
using Clock = std::chrono::steady_clock;

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

class HttpGetTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    out_ = dir_ + "\\out.dat";
  }
  std::string Stored() {
    std::string data;
    EXPECT_TRUE(file::ReadAll(out_, data));
    return data;
  }
  static HttpGetOptions Quick() {
    HttpGetOptions o;
    o.timeoutMs = 2000;
    o.connectRetryPauseMs = 10;
    return o;
  }
  std::string out_;
};

// What follows the object in the request line, for the given Host value.
std::string RequestTail(const std::string& host) {
  return " HTTP/1.1\r\nHost: " + host +
         "\r\nAccept: */*\r\n"
         "User-Agent: Mozilla/4.0 (compatible; MSIE 5.01; Windows NT 5.0)\r\n"
         "Pragma: no-cache\r\nCache-Control: no-cache\r\nConnection: close\r\n\r\n";
}

// SplitUrl takes url apart into host, port and object (host nullptr, port
// 0: not looked at).
void ExpectSplit(const std::string& url, const char* host, int port, const std::string& object) {
  UrlParts p;
  ASSERT_TRUE(SplitUrl(url, p)) << url;
  if (host) {
    EXPECT_EQ(p.host, host) << url;
  }
  if (port) {
    EXPECT_EQ(p.port, port) << url;
  }
  EXPECT_EQ(p.object, object) << url;
}

TEST(HttpRequestText, UrlsSplitAndQueryValuesAreEncodedByteByByte) {
  ExpectSplit("http://www.example.com/brova/main.asp?V=102&times=1", "www.example.com", 80,
              "/brova/main.asp?V=102&times=1");
  ExpectSplit("http://user:pw@10.0.0.1:8080", "10.0.0.1", 8080, "/");
  ExpectSplit("https://h?q=1", nullptr, 443, "/?q=1");
  UrlParts p;
  EXPECT_FALSE(SplitUrl("http://:80/x", p));
  EXPECT_FALSE(SplitUrl("http://h:99999/x", p));
  EXPECT_FALSE(SplitUrl("http://h:8a/x", p));

  EXPECT_EQ(EncodeQueryValues("/x/main.asp?V=102&times=1"), "/x/main.asp?V=%31%30%32&times=%31");
  EXPECT_EQ(EncodeQueryValues("/p?a=b c&d="), "/p?a=%62%20%63&d=");
  EXPECT_EQ(EncodeQueryValues("/plain/path.htm"), "/plain/path.htm");
  EXPECT_EQ(EncodeQueryValues("/p?a=x=y"), "/p?a=%78=%79");  // a second "=" stays
  // Bytes that would break the request line are escaped outside values too.
  EXPECT_EQ(EncodeQueryValues("/a b\r\n?k\xd6=1"), "/a%20b%0D%0A?k%D6=%31");
  // An object sent as built keeps its values and escapes those bytes alone.
  EXPECT_EQ(EscapeRequestLine("/a b\r\n?k\xd6=1&f=%D0"), "/a%20b%0D%0A?k%D6=1&f=%D0");
}

TEST(HttpRequestText, HostLineNamesAPortOtherThan80AndFragmentsStayHome) {
  EXPECT_EQ(BuildGetRequest("/x", "www.example.com", 80), "GET /x" + RequestTail("www.example.com"));
  EXPECT_EQ(BuildGetRequest("/x", "www.example.com", 8080), "GET /x" + RequestTail("www.example.com:8080"));
  ExpectSplit("http://h:81/a?b=1#part?c=2&d=/e", "h", 81, "/a?b=1");
  ExpectSplit("http://h#top", "h", 0, "/");

  uint64_t length = 0;
  EXPECT_TRUE(FindContentLength("HTTP/1.1 200 OK\r\nX-A: 1\r\ncontent-LENGTH:  42 \r\n\r\n", length));
  EXPECT_EQ(length, 42u);
  EXPECT_FALSE(FindContentLength("HTTP/1.1 200 OK\r\nContent-Length: 4x\r\n\r\n", length));
  EXPECT_FALSE(FindContentLength("HTTP/1.1 200 OK\r\nX-Content-Length: 4\r\n\r\n", length));
}

TEST_F(HttpGetTest, SendsTheFixedRequestAndStoresTheBody) {
  LocalServer server(Reply("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"), 3);
  EXPECT_EQ(HttpGetToFile(server.Url("/x/main.asp?V=102&times=1"), out_, Quick()), 0);
  EXPECT_EQ(Stored(), "hello");
  EXPECT_EQ(HttpGetToFile(server.Url("/p?a=b c&d="), out_, Quick()), 0);
  EXPECT_EQ(HttpGetToFile(server.Url("/plain/path.htm#section"), out_, Quick()), 0);
  std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  const std::string tail = RequestTail("127.0.0.1:" + std::to_string(server.port));
  EXPECT_EQ(requests[0], "GET /x/main.asp?V=%31%30%32&times=%31" + tail);
  EXPECT_EQ(requests[1], "GET /p?a=%62%20%63&d=" + tail);
  EXPECT_EQ(requests[2], "GET /plain/path.htm" + tail);
}

TEST_F(HttpGetTest, HeaderBlockIsCutAtTheRightByteWhereverTheChunksBreak) {
  // The empty line starts at byte 10238, so it straddles the first 10240-byte
  // receive; the server pauses at several points around it so that the
  // chunks break inside the empty line and beside it. The header carries a
  // NUL byte and the body binary data.
  std::string header = "HTTP/1.1 200 OK\r\nX-Nul: a";
  header += '\0';
  header += "b\r\nX-Pad: ";
  header += std::string(10238 - header.size(), 'p');
  header += "\r\n\r\n";
  ASSERT_EQ(header.size(), 10242u);
  std::string body("\0\r\n\r\nbody\xff", 10);
  for (int i = 0; i < 30000; ++i) body += static_cast<char>(i * 7);
  std::string response = header + body;
  for (size_t split : {100u, 10238u, 10239u, 10240u, 10241u, 10242u, 10243u, 20480u}) {
    LocalServer server([&](int fd, const std::string&) {
      SendBytes(fd, response.substr(0, split));
      Pause(50);
      SendBytes(fd, response.substr(split));
    });
    EXPECT_EQ(HttpGetToFile(server.Url("/f"), out_, Quick()), 0);
    EXPECT_TRUE(Stored() == body) << "split at " << split;
  }
}

TEST_F(HttpGetTest, ErrorPagesAndChunkedBodiesAreStoredAsSent) {
  {
    LocalServer server(Reply("HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\n\r\n<h1>missing</h1>"));
    EXPECT_EQ(HttpGetToFile(server.Url("/gone"), out_, Quick()), 0);
    EXPECT_EQ(Stored(), "<h1>missing</h1>");
  }
  {
    std::string chunked = "5\r\nhello\r\n7\r\n, world\r\n0\r\n\r\n";
    LocalServer server([&](int fd, const std::string&) {
      SendBytes(fd, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
      Pause(20);
      SendBytes(fd, chunked);
    });
    EXPECT_EQ(HttpGetToFile(server.Url("/c"), out_, Quick()), 0);
    EXPECT_EQ(Stored(), chunked);
  }
}

TEST_F(HttpGetTest, SilentServerEndsWithAnEmptyFileAfterTheTimeOut) {
  std::atomic<bool> release{false};
  LocalServer server([&](int, const std::string&) {
    while (!release) Pause(10);
  });
  HttpGetOptions o = Quick();
  o.timeoutMs = 300;
  auto start = Clock::now();
  EXPECT_EQ(HttpGetToFile(server.Url("/quiet"), out_, o), 0);
  auto elapsed = Clock::now() - start;
  release = true;
  EXPECT_GE(elapsed, std::chrono::milliseconds(250));
  EXPECT_LT(elapsed, std::chrono::milliseconds(1500));
  EXPECT_EQ(file::Size(out_), 0);
}

TEST_F(HttpGetTest, ATrickleEndsAtTheDeadlineWhichGrowsWithTheAnnouncedSize) {
  // Sends the header, then one body byte every 50 ms until done or the
  // client has gone.
  auto trickle = [](std::string header, std::string body) {
    return [header, body](int fd, const std::string&) {
      if (!SendBytes(fd, header)) return;
      for (char c : body) {
        Pause(50);
        if (!SendBytes(fd, std::string(1, c))) return;
      }
    };
  };
  HttpGetOptions o = Quick();
  o.deadline.floorMs = 300;
  o.deadline.slowBytesPerSecond = 100;
  {
    // 4 s of body with no size given: the time per byte received is far too
    // little, the download fails at the deadline.
    LocalServer server(trickle("HTTP/1.1 200 OK\r\n\r\n", std::string(80, 't')));
    EXPECT_EQ(HttpGetToFile(server.Url("/slow"), out_, o), 1);
    EXPECT_LT(file::Size(out_), 80);
  }
  {
    // The announced 1000 bytes allow 10 s beyond the floor; 10 bytes come in
    // half a second and the connection ends.
    LocalServer server(trickle("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", "0123456789"));
    EXPECT_EQ(HttpGetToFile(server.Url("/announced"), out_, o), 0);
    EXPECT_EQ(Stored(), "0123456789");
  }
}

TEST_F(HttpGetTest, NoConnectionMeansOneAndNoFile) {
  EXPECT_EQ(HttpGetToFile("http://no-such-host.invalid/x", out_, Quick()), 1);
  EXPECT_FALSE(file::Exists(out_));

  // A port nobody listens on: two refused attempts, each followed by the pause.
  int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  ASSERT_EQ(::getsockname(probe, reinterpret_cast<sockaddr*>(&addr), &len), 0);
  ::close(probe);
  HttpGetOptions o = Quick();
  o.connectRetryPauseMs = 200;
  auto start = Clock::now();
  EXPECT_EQ(HttpGetToFile("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x", out_, o), 1);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(400));
  EXPECT_FALSE(file::Exists(out_));

  EXPECT_EQ(HttpGetToFile("not a url://", out_, Quick()), 1);
  EXPECT_FALSE(file::Exists(out_));
}

TEST_F(HttpGetTest, LocalFileThatCannotBeWrittenGivesOne) {
  LocalServer server(Reply("HTTP/1.1 200 OK\r\n\r\nbody"));
  EXPECT_EQ(HttpGetToFile(server.Url("/x"), dir_ + "/missing/out.dat", Quick()), 1);
}

TEST_F(HttpGetTest, NeverEndingHeaderLeavesAnEmptyFileAndIsNotHeldInMemory) {
  // The server keeps sending header lines; the client gives up after 64 KiB
  // and closes, so the server's sends fail long before its own limit.
  const size_t kServerLimit = 64u << 20;
  std::atomic<size_t> sent{0};
  {
    LocalServer server([&](int fd, const std::string&) {
      std::string line = "X-More: " + std::string(1000, 'm') + "\r\n";
      SendBytes(fd, "HTTP/1.1 200 OK\r\n");
      while (sent < kServerLimit && SendBytes(fd, line)) sent += line.size();
    });
    EXPECT_EQ(HttpGetToFile(server.Url("/endless"), out_, Quick()), 0);
    EXPECT_EQ(file::Size(out_), 0);
  }  // the server has finished sending here
  EXPECT_LT(sent.load(), kServerLimit);
}

TEST_F(HttpGetTest, HeaderLimitIsExactAndBodiesAreBounded) {
  auto headerOf = [](size_t total) {
    std::string h = "HTTP/1.1 200 OK\r\nX-Pad: ";
    h += std::string(total - h.size() - 4, 'p');
    return h + "\r\n\r\n";
  };
  {
    LocalServer server(Reply(headerOf(65536) + "fits"));
    EXPECT_EQ(HttpGetToFile(server.Url("/x"), out_, Quick()), 0);
    EXPECT_EQ(Stored(), "fits");
  }
  {
    LocalServer server(Reply(headerOf(65537) + "too long"));
    EXPECT_EQ(HttpGetToFile(server.Url("/x"), out_, Quick()), 0);
    EXPECT_EQ(Stored(), "");
  }
  {
    HttpGetOptions o = Quick();
    o.maxBodyBytes = 100000;
    LocalServer server(Reply("HTTP/1.1 200 OK\r\n\r\n" + std::string(100001, 'b')));
    EXPECT_EQ(HttpGetToFile(server.Url("/big"), out_, o), 1);
    LocalServer exact(Reply("HTTP/1.1 200 OK\r\n\r\n" + std::string(100000, 'b')));
    EXPECT_EQ(HttpGetToFile(exact.Url("/big"), out_, o), 0);
    EXPECT_EQ(file::Size(out_), 100000);
  }
}

TEST_F(HttpGetTest, UpdateStepRunsAgainstTheSiteNamedInTheEnvironment) {
  LocalServer* self = nullptr;
  LocalServer server(
      [&](int fd, const std::string& request) {
        if (request.rfind("GET /brova/main.asp?", 0) == 0) {
          SendBytes(fd, "HTTP/1.1 200 OK\r\n\r\n[FILE_LIST_BEGIN]\r\n" + CMd5::HexOf("payload") +
                            " data\\x.dat " + self->Url("/files/x.dat") + "\r\n[FILE_LIST_END]\r\nMAIN_PAGE_END\r\n");
        } else {
          SendBytes(fd, "HTTP/1.1 200 OK\r\nContent-Length: 7\r\n\r\npayload");
        }
      },
      2);
  self = &server;
  setenv("VISTREL_SITE", server.Url("").c_str(), 1);
  // The program folder lies below a drive, as on Windows.
  UpdateContext context = DefaultUpdateContext(dir_ + "/c:/");
  unsetenv("VISTREL_SITE");
  context.wait = [](int) { return true; };
  EXPECT_EQ(RunUpdateWorker(context), 0);
  std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), "GET /brova/main.asp?V=%31%30%32&times=%31 HTTP/1.1");
  EXPECT_EQ(requests[1].substr(0, requests[1].find("\r\n")), "GET /files/x.dat HTTP/1.1");
  std::string installed, page;
  EXPECT_TRUE(file::ReadAll(dir_ + "/c:/data/x.dat", installed));
  EXPECT_EQ(installed, "payload");
  EXPECT_TRUE(file::ReadAll(dir_ + "/c:/data/main.htm", page));
  EXPECT_NE(page.find("MAIN_PAGE_END"), std::string::npos);
}

}  // namespace
