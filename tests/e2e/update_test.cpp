// The update step as the user gets it: brova asks the update service (a
// server of the test on 127.0.0.1, named by VISTREL_SITE) for its
// information page, installs what the page's update list names, stages a new
// program file, and at its end lets upkit.exe put that file in place.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "online/Md5.h"
#include "tests/support/E2e.h"
#include "tests/support/LocalServer.h"

namespace {

using testsupport::LocalServer;
using testsupport::RequestTarget;
using testsupport::SendBytes;

constexpr unsigned kWmCommand = 0x0111;
constexpr long kExitCommand = 32796;
constexpr long kExitButton = 1017;  // "退出程序" of the capture window
// The worker waits 10 s after the start before its first request.
constexpr int kUpdateBoundMs = 90000;
const std::string kFirstPageTarget = "/brova/main.asp?V=%31%30%32&times=%31";
const std::string kNewProgram = std::string(BROVA_BUILD_DIR) + "/win/fake_brova_v2.exe";

std::string Ok(const std::string& body) { return "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body; }

time_t ModifiedTime(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_mtime : 0;
}

// A zip package with one deflated entry dated 2001-02-03 04:05:06, made by
// the zip tool; modified receives the entry's time as the host reads it.
std::string ZipOf(const std::string& workDir, const std::string& name, const std::string& content,
                  time_t& modified) {
  std::string dir = workDir + "/zip";
  std::system(("rm -rf " + e2e::ShellQuote(dir) + " && mkdir -p " + e2e::ShellQuote(dir)).c_str());
  e2e::WriteFile(dir + "/" + name, content);
  std::system(("cd " + e2e::ShellQuote(dir) + " && touch -d '2001-02-03 04:05:06' " + e2e::ShellQuote(name) +
               " && zip -q -9 p.zip " + e2e::ShellQuote(name))
                  .c_str());
  modified = ModifiedTime(dir + "/" + name);
  return e2e::ReadFile(dir + "/p.zip");
}

int CountTarget(const std::vector<std::string>& requests, const std::string& target) {
  int n = 0;
  for (const std::string& r : requests) n += RequestTarget(r) == target;
  return n;
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

// A Windows process of this session: its command line names the program
// and this session's folder.
bool SessionRuns(e2e::Session& s, const std::string& program) {
  std::string folder = s.workDir().substr(s.workDir().rfind('/') + 1);
  std::string pattern = "[" + program.substr(0, 1) + "]" + program.substr(1);
  return s.Shell("pgrep -af " + e2e::ShellQuote(pattern) + " | grep -q " + e2e::ShellQuote(folder)).status == 0;
}

TEST(Update, OneUpdateInstallsTheListOnceAndLeavesTheProgramEndedWithNothingLeftToFetch) {
  e2e::Session s;
  const std::string app = s.appDir() + "/";
  const std::string oldProgram = e2e::ReadFile(app + "brova.exe");
  ASSERT_FALSE(oldProgram.empty());
  // The new version is a brova that runs: the same image with bytes after it.
  const std::string newProgram = oldProgram + std::string("\0version 2", 10);
  std::string toolBytes;
  for (int i = 0; i < 200; ++i) toolBytes += "tool line " + std::to_string(i) + "\r\n";
  const std::string readme = "read me, version 2\r\n";
  time_t toolTime = 0;

  std::map<std::string, std::string> files = {
      {"/files/readme.txt", readme},
      {"/files/tool.zip", ZipOf(s.workDir(), "tool.dat", toolBytes, toolTime)},
      {"/files/keep.txt", "not what the list says"},
      {"/files/brova_new.exe", newProgram},
      {"/files/second.txt", "second run"},
  };
  std::mutex pageMutex;
  std::string page;
  auto setPage = [&](const std::string& p) {
    std::lock_guard<std::mutex> lock(pageMutex);
    page = p;
  };
  LocalServer server(
      [&](int fd, const std::string& request) {
        std::string target = RequestTarget(request);
        if (target.rfind("/brova/main.asp?", 0) == 0) {
          std::lock_guard<std::mutex> lock(pageMutex);
          SendBytes(fd, Ok(page));
        } else if (files.count(target)) {
          SendBytes(fd, Ok(files[target]));
        } else {
          SendBytes(fd, "HTTP/1.1 404 Not Found\r\n\r\nmissing");
        }
      },
      LocalServer::kUnlimited);
  // The page up to the end of its update list.
  const std::string pageStart =
      "[HOME_PAGE]\r\n" + server.Url("/home") + "\r\n[FILE_LIST_BEGIN]\r\n// listed files\r\n" +
      CMd5::HexOf(readme) + " data\\docs\\readme.txt " + server.Url("/files/readme.txt") + "\r\n" +
      CMd5::HexOf(toolBytes) + " tool.dat " + server.Url("/files/tool.zip") + "\r\n" +
      CMd5::HexOf("the right keep") + " data\\keep.txt " + server.Url("/files/keep.txt") + "\r\n" +
      CMd5::HexOf(newProgram) + " data\\brova_new.exe " + server.Url("/files/brova_new.exe") + "\r\n";
  const std::string firstPage = pageStart + "[FILE_LIST_END]\r\nMAIN_PAGE_END\r\n";
  setPage(firstPage);
  ASSERT_TRUE(e2e::WriteFile(app + "data/keep.txt", "old keep"));

  s.SetEnv("VISTREL_SITE", server.Url(""));
  pid_t brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  // The last entry is staged last; the scratch download is gone afterwards.
  ASSERT_TRUE(e2e::Session::WaitUntil(
      [&] { return e2e::ReadFile(app + "data/brova_new.exe") == newProgram && !Exists(app + "data/data_tmp.dat"); },
      kUpdateBoundMs))
      << "the new program was never staged";

  std::vector<std::string> requests = server.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(RequestTarget(requests[0]), kFirstPageTarget);
  EXPECT_EQ(CountTarget(requests, kFirstPageTarget), 1);
  for (const auto& [target, body] : files)
    EXPECT_EQ(CountTarget(requests, target), target == "/files/second.txt" ? 0 : 1) << target;
  EXPECT_EQ(e2e::ReadFile(app + "data/main.htm"), firstPage);
  EXPECT_EQ(e2e::ReadFile(app + "data/main2.htm"), firstPage);
  EXPECT_EQ(e2e::ReadFile(app + "data/docs/readme.txt"), readme);
  EXPECT_EQ(e2e::ReadFile(app + "tool.dat"), toolBytes);
  // The file from the package keeps the entry's date and time, and the
  // folder it was unpacked in is gone.
  EXPECT_EQ(ModifiedTime(app + "tool.dat"), toolTime);
  EXPECT_FALSE(Exists(app + "data/unpack"));
  EXPECT_EQ(e2e::ReadFile(app + "data/keep.txt"), "old keep");
  EXPECT_TRUE(e2e::ReadFile(app + "brova.exe") == oldProgram);
  EXPECT_TRUE(s.Running(brova));

  // The user ends brova with "退出程序"; at its end brova starts upkit.exe,
  // which swaps the program and leaves it ended. The staged copy stays.
  s.Post("Vistrel", kWmCommand, kExitButton);
  ASSERT_TRUE(s.WaitForExit(brova));
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return e2e::ReadFile(app + "brova.exe") == newProgram; }, 60000))
      << "the program was not replaced";
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return !SessionRuns(s, "upkit.exe"); }, 60000));
  EXPECT_FALSE(e2e::Session::WaitUntil([&] { return SessionRuns(s, "brova.exe") || s.Window("Pagorin"); }, 5000))
      << "the updater started the program the user had ended";
  EXPECT_TRUE(e2e::ReadFile(app + "data/brova_new.exe") == newProgram);

  // The next start finds the installed files and the staged program current:
  // it fetches the page, the entry that failed last time and what is new,
  // and at its end starts no updater.
  setPage(pageStart + CMd5::HexOf("second run") + " data\\second.txt " + server.Url("/files/second.txt") +
          "\r\n[FILE_LIST_END]\r\nMAIN_PAGE_END\r\n");
  size_t before = server.Requests().size();
  brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return e2e::ReadFile(app + "data/second.txt") == "second run"; },
                                      kUpdateBoundMs));
  requests = server.Requests();
  std::vector<std::string> targets;
  for (size_t i = before; i < requests.size(); ++i) targets.push_back(RequestTarget(requests[i]));
  EXPECT_EQ(targets, (std::vector<std::string>{kFirstPageTarget, "/files/keep.txt", "/files/second.txt"}));
  s.Post("Pagorin", kWmCommand, kExitCommand);
  ASSERT_TRUE(s.WaitForExit(brova));
  EXPECT_FALSE(e2e::Session::WaitUntil([&] { return SessionRuns(s, "upkit.exe"); }, 3000))
      << "an updater started with nothing new staged";
  EXPECT_TRUE(e2e::ReadFile(app + "brova.exe") == newProgram);
  EXPECT_TRUE(e2e::ReadFile(app + "data/brova_new.exe") == newProgram);
}

TEST(Update, TheProgramEndsPromptlyWhileTheServiceStalls) {
  std::atomic<bool> asked{false};
  // Answers nothing and holds the connection until the other side goes (or
  // far longer than the worker's 30 s receive time-out).
  LocalServer server(
      [&](int fd, const std::string&) {
        asked = true;
        timeval patience{120, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
        char byte;
        while (::recv(fd, &byte, 1, 0) > 0) {
        }
      },
      LocalServer::kUnlimited);
  e2e::Session s;  // ends its programs before the server goes
  const std::string app = s.appDir() + "/";
  ASSERT_TRUE(e2e::WriteFile(app + "data/main.htm", "the page in use"));
  s.SetEnv("VISTREL_SITE", server.Url(""));
  pid_t brova = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return asked.load(); }, kUpdateBoundMs));

  // The worker's receive waits 30 s; the program must not wait for it.
  s.Post("Pagorin", kWmCommand, kExitCommand);
  EXPECT_TRUE(s.WaitForExit(brova, 20000)) << "the update worker kept the program alive";
  EXPECT_EQ(e2e::ReadFile(app + "data/main.htm"), "the page in use");
}

TEST(Update, ARefusedSecondCopyLeavesTheStagedProgramToTheFirst) {
  e2e::Session s;
  const std::string app = s.appDir() + "/";
  LocalServer server(testsupport::Reply("HTTP/1.1 404 Not Found\r\n\r\n"), LocalServer::kUnlimited);
  s.SetEnv("VISTREL_SITE", server.Url(""));
  const std::string newProgram = e2e::ReadFile(kNewProgram);
  ASSERT_TRUE(e2e::WriteFile(app + "data/brova_new.exe", newProgram));
  const std::string oldProgram = e2e::ReadFile(app + "brova.exe");

  pid_t first = s.StartBrova();
  ASSERT_TRUE(s.WaitForWindow("Vistrel"));
  pid_t second = s.StartBrova();
  std::optional<e2e::WindowInfo> box;
  ASSERT_TRUE(e2e::Session::WaitUntil([&] {
    for (const auto& w : s.TopLevelWindows())
      if (w.cls == "#32770" && w.visible) {
        for (const auto& c : s.Children(w.handle))
          if (c.text == "程序己在运行中") box = w;
      }
    return box.has_value();
  }));
  s.Post(box->handle, 0x0010);  // WM_CLOSE
  ASSERT_TRUE(s.WaitForExit(second));
  EXPECT_FALSE(e2e::Session::WaitUntil([&] { return SessionRuns(s, "upkit.exe"); }, 3000))
      << "the refused copy started the updater";
  EXPECT_TRUE(e2e::ReadFile(app + "brova.exe") == oldProgram);

  // The first copy still updates at its own end.
  s.Post("Pagorin", kWmCommand, kExitCommand);
  ASSERT_TRUE(s.WaitForExit(first));
  EXPECT_TRUE(e2e::Session::WaitUntil([&] { return e2e::ReadFile(app + "brova.exe") == newProgram; }, 60000));
}

}  // namespace
