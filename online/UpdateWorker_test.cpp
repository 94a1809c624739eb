#include "online/UpdateWorker.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "common/File.h"
#include "online/Md5.h"
#include "online/Site.h"
#include "online/ZipTestTime.h"

namespace {

const char kBase[] = "http://updates.test";

std::string Url(int times) { return std::string(kBase) + "/brova/main.asp?V=102&times=" + std::to_string(times); }

// An update service in memory: URL to body; a URL it does not know fails.
class UpdateWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/brova_update_XXXXXX";
    root_ = mkdtemp(tmpl);
    // The program folder lies below a drive, as on Windows: folders along the
    // listed paths are made from the drive's colon on.
    dir_ = root_ + "/c:/";
    ASSERT_TRUE(file::CreateDir(dir_));
    context_.folder = dir_;
    context_.siteBaseUrl = kBase;
    context_.fetch = [this](const std::string& url, const std::string& path) {
      fetched_.push_back(url);
      if (beforeFetch_) beforeFetch_(url);
      auto it = served_.find(url);
      if (it == served_.end()) return 1;
      return file::WriteAtomic(path, it->second) ? 0 : 1;
    };
    context_.wait = [this](int ms) {
      waits_.push_back(ms);
      return true;
    };
  }
  void TearDown() override { std::system(("rm -rf " + root_).c_str()); }

  std::string Read(const std::string& relative) {
    std::string data;
    EXPECT_TRUE(file::ReadAll(dir_ + relative, data)) << relative;
    return data;
  }
  void Write(const std::string& relative, const std::string& data) {
    std::system(("mkdir -p \"$(dirname '" + dir_ + relative + "')\"").c_str());
    ASSERT_TRUE(file::WriteAtomic(dir_ + relative, data));
  }
  // Serves a page with the given update list as the first attempt's answer.
  void ServeList(const std::string& list) {
    served_[Url(1)] = "[HOME_PAGE]\r\nhttp://home\r\n[FILE_LIST_BEGIN]\r\n" + list + "[FILE_LIST_END]\r\nMAIN_PAGE_END\r\n";
  }
  // A zip package made by python3, as bytes; its entry is dated kEntryTime.
  std::string Zip(const std::string& entryName, const std::string& content) {
    std::ofstream(dir_ + "entry.bin", std::ios::binary) << content;
    std::string command = "cd " + dir_ + " && python3 -c \"import zipfile; z = zipfile.ZipFile('p.zip', 'w'); " +
                          "i = zipfile.ZipInfo('" + entryName + "', date_time=(2001, 2, 3, 4, 5, 6)); " +
                          "z.writestr(i, open('entry.bin', 'rb').read(), zipfile.ZIP_DEFLATED); z.close()\"";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::string bytes;
    EXPECT_TRUE(file::ReadAll(dir_ + "p.zip", bytes));
    file::Remove(dir_ + "p.zip");
    file::Remove(dir_ + "entry.bin");
    return bytes;
  }
  // The modified time of a file, and the local time of the entries of Zip.
  std::time_t ModifiedTime(const std::string& relative) {
    struct stat st;
    EXPECT_EQ(stat((dir_ + relative).c_str(), &st), 0) << relative;
    return st.st_mtime;
  }
  static std::time_t EntryTime() { return ZipTestEntryTime(); }
  bool Fetched(const std::string& url) const {
    for (const std::string& u : fetched_)
      if (u == url) return true;
    return false;
  }
  bool NoScratchFilesLeft() {
    return !file::Exists(dir_ + "data/data_tmp.dat") && !file::Exists(dir_ + "data/unpack");
  }

  std::string root_;
  std::string dir_;
  UpdateContext context_;
  std::map<std::string, std::string> served_;
  std::vector<std::string> fetched_;
  std::vector<int> waits_;
  std::function<void(const std::string&)> beforeFetch_;
};

TEST_F(UpdateWorkerTest, PageIsRetriedEveryFiveMinutesUntilItIsComplete) {
  Write("data/main.htm", "old page");
  // Attempt 1 fails, attempt 2 brings a page without its end line.
  served_[Url(2)] = "[HOME_PAGE]\r\nhttp://half\r\n";
  served_[Url(3)] = "[HOME_PAGE]\r\nhttp://new\r\nmain_page_end of the page\r\n";
  beforeFetch_ = [this](const std::string&) { EXPECT_EQ(Read("data/main.htm"), "old page"); };
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_EQ(fetched_, (std::vector<std::string>{Url(1), Url(2), Url(3)}));
  EXPECT_EQ(waits_, (std::vector<int>{10000, 300000, 300000}));
  EXPECT_EQ(Read("data/main.htm"), served_[Url(3)]);  // a page without an update list is still taken
  EXPECT_EQ(Read("data/main2.htm"), served_[Url(3)]);
}

TEST_F(UpdateWorkerTest, WorkerStopsWhenTheWaitSaysSo) {
  context_.wait = [this](int ms) {
    waits_.push_back(ms);
    return false;
  };
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_TRUE(fetched_.empty());
  context_.wait = [this](int ms) {
    waits_.push_back(ms);
    return ms == kFirstWaitMs;
  };
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_EQ(fetched_, std::vector<std::string>{Url(1)});
  EXPECT_FALSE(file::Exists(dir_ + "data/main.htm"));
}

TEST_F(UpdateWorkerTest, ListedFilesAreInstalledOnlyWhenChangedAndTheirDigestMatches) {
  Write("current.dll", "current");
  Write("data/keep.txt", "old keep");
  Write("data/fails.txt", "old fails");
  served_["http://f/new.dat"] = "brand new";
  served_["http://f/wrong.txt"] = "not what the list says";
  served_["http://f/current.dll"] = "never fetched";
  ServeList(CMd5::HexOf("current") + " current.dll http://f/current.dll\r\n" +
            "// a comment line inside the list\r\n" +
            CMd5::HexOf("brand new") + " plugins\\deep\\new.dat http://f/new.dat\r\n" +
            CMd5::HexOf("right") + " data\\keep.txt http://f/wrong.txt\r\n" +
            CMd5::HexOf("x") + " data\\fails.txt http://f/missing.txt\r\n");
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_FALSE(Fetched("http://f/current.dll"));
  EXPECT_EQ(Read("plugins/deep/new.dat"), "brand new");  // folders along the path are created
  EXPECT_EQ(Read("data/keep.txt"), "old keep");
  EXPECT_EQ(Read("data/fails.txt"), "old fails");
  EXPECT_TRUE(Fetched("http://f/missing.txt"));
  EXPECT_TRUE(NoScratchFilesLeft());
  EXPECT_EQ(std::system(("test $(ls " + dir_ + "plugins/deep | wc -l) -eq 1").c_str()), 0);
}

TEST_F(UpdateWorkerTest, AStopDuringTheListEndsItAfterTheEntryAtHand) {
  served_["http://f/one"] = "one";
  served_["http://f/two"] = "two";
  ServeList(CMd5::HexOf("one") + " one.txt http://f/one\r\n" + CMd5::HexOf("two") + " two.txt http://f/two\r\n");
  context_.wait = [this](int ms) {
    waits_.push_back(ms);
    return !Fetched("http://f/one");  // the owner asks to stop while "one" downloads
  };
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_EQ(Read("one.txt"), "one");
  EXPECT_FALSE(Fetched("http://f/two"));
  EXPECT_EQ(waits_, (std::vector<int>{kFirstWaitMs, 0}));
}

TEST_F(UpdateWorkerTest, ZipPackagesAreUnpackedApartAndCheckedBeforeInstalling) {
  if (std::system("command -v python3 >/dev/null") != 0) GTEST_SKIP() << "python3 missing";
  Write("data/main.htm", "page in use");
  Write("tool.exe", "old tool");
  served_["http://f/brova.zip"] = Zip("brova_new.exe", "program v2");
  served_["http://f/tool.zip"] = Zip("tool.exe", "tampered tool");
  // An entry named like one of our data files must not touch that file.
  served_["http://f/page.zip"] = Zip("main.htm", "from a package");
  served_["http://f/broken.zip"] = "PK\x03\x04 not really a zip";
  ServeList(CMd5::HexOf("program v2") + " data\\brova_new.exe http://f/brova.zip\r\n" +
            CMd5::HexOf("good tool") + " tool.exe http://f/tool.zip\r\n" +
            CMd5::HexOf("from a package") + " other.htm http://f/page.zip\r\n" +
            CMd5::HexOf("y") + " broken.txt http://f/broken.zip\r\n" +
            // Only a lower-case ".zip" ending marks a package: this one is stored as it came.
            CMd5::HexOf(served_["http://f/brova.zip"]) + " data\\copy.ZIP http://f/brova.ZIP\r\n");
  served_["http://f/brova.ZIP"] = served_["http://f/brova.zip"];
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_EQ(Read("data/brova_new.exe"), "program v2");
  EXPECT_EQ(Read("tool.exe"), "old tool");
  EXPECT_EQ(Read("other.htm"), "from a package");
  // Installed files keep the date and time of their entries.
  EXPECT_EQ(ModifiedTime("data/brova_new.exe"), EntryTime());
  EXPECT_EQ(ModifiedTime("other.htm"), EntryTime());
  EXPECT_EQ(Read("data/main.htm"), served_[Url(1)]);  // the page, not the package's entry
  EXPECT_FALSE(file::Exists(dir_ + "broken.txt"));
  EXPECT_EQ(Read("data/copy.ZIP"), served_["http://f/brova.zip"]);
  EXPECT_TRUE(NoScratchFilesLeft());
}

TEST_F(UpdateWorkerTest, PathsLeavingTheFolderAndMalformedLinesAreSkipped) {
  const std::string digest = CMd5::HexOf("evil");
  served_["http://f/evil"] = "evil";
  served_["http://f/good"] = "good";
  ServeList(digest + " ..\\evil.txt http://f/evil\r\n" +
            digest + " \\tmp\\brova_update_evil.txt http://f/evil\r\n" +
            digest + " C:\\evil.txt http://f/evil\r\n" +
            digest + " data\\..\\..\\evil.txt http://f/evil\r\n" +
            digest + " data/../../evil.txt http://f/evil\r\n" +
            digest + " data\\con.txt http://f/evil\r\n" + digest + " lpt1\\evil.txt http://f/evil\r\n" +
            digest + " only-two-words\r\n" +
            std::string(52, 'a') + " long-digest.txt http://f/evil\r\n" +
            digest + " " + std::string(256, 'p') + " http://f/evil\r\n" +
            digest + " long-url.txt http://f/evil?" + std::string(250, 'q') + "\r\n" +
            "\t" + CMd5::HexOf("good") + "   good.txt\thttp://f/good  extra words\r\n");
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_EQ(fetched_, (std::vector<std::string>{Url(1), "http://f/good"}));
  EXPECT_FALSE(file::Exists("/tmp/brova_update_evil.txt"));
  EXPECT_FALSE(file::Exists(dir_ + "../evil.txt"));
  EXPECT_FALSE(file::Exists(dir_ + "../../evil.txt"));
  EXPECT_EQ(Read("good.txt"), "good");
}

TEST_F(UpdateWorkerTest, ListBoundsCaseAndGbkPaths) {
  served_["http://f/a"] = "a";
  served_["http://f/after"] = "after";
  // Lower-case begin line; the end line must match exactly; a GBK path.
  served_[Url(1)] = "MAIN_PAGE_END\r\n[file_list_begin]\r\n" + CMd5::HexOf("a") +
                    " \xca\xfd\xbe\xdd\\a.txt http://f/a\r\n[file_list_end]\r\n" + CMd5::HexOf("a") +
                    " b.txt http://f/a\r\n[FILE_LIST_END]\r\n" + CMd5::HexOf("after") +
                    " after.txt http://f/after\r\n";
  EXPECT_EQ(RunUpdateWorker(context_), 0);
  EXPECT_EQ(Read("数据/a.txt"), "a");
  EXPECT_EQ(Read("b.txt"), "a");
  EXPECT_FALSE(Fetched("http://f/after"));
}

TEST(UpdateListLine, WordsAreBoundedAndNeedThree) {
  UpdateListEntry e;
  ASSERT_TRUE(ParseUpdateListLine("d p u", e));
  EXPECT_EQ(e.digest + "|" + e.path + "|" + e.url, "d|p|u");
  ASSERT_TRUE(ParseUpdateListLine(std::string(51, 'd') + " " + std::string(255, 'p') + " " + std::string(255, 'u'), e));
  EXPECT_FALSE(ParseUpdateListLine(std::string(52, 'd') + " p u", e));
  EXPECT_FALSE(ParseUpdateListLine("d " + std::string(256, 'p') + " u", e));
  EXPECT_FALSE(ParseUpdateListLine("d p " + std::string(256, 'u'), e));
  EXPECT_FALSE(ParseUpdateListLine("d p", e));
  EXPECT_FALSE(ParseUpdateListLine("   ", e));
}

TEST(UpdateAddresses, SiteCanBeOverriddenAndThePageUrlCarriesVersionAndAttempt) {
  unsetenv("VISTREL_SITE");
  EXPECT_EQ(SiteBaseUrl(), kDefaultSiteBaseUrl);
  setenv("VISTREL_SITE", "http://127.0.0.1:8123/", 1);
  EXPECT_EQ(SiteBaseUrl(), "http://127.0.0.1:8123");
  EXPECT_EQ(DefaultUpdateContext("C:\\brova\\").siteBaseUrl, "http://127.0.0.1:8123");
  unsetenv("VISTREL_SITE");
  EXPECT_EQ(InformationPageUrl("http://h", 102, 3), "http://h/brova/main.asp?V=102&times=3");
}

TEST_F(UpdateWorkerTest, NewVersionIsStagedOnlyWhenBothFilesExistAndDiffer) {
  EXPECT_EQ(IsNewVersionStaged(dir_), 0);
  Write("brova.exe", "program v1");
  EXPECT_EQ(IsNewVersionStaged(dir_), 0);
  Write("data/brova_new.exe", "program v1");
  EXPECT_EQ(IsNewVersionStaged(dir_), 0);
  Write("data/brova_new.exe", "program v2");
  EXPECT_EQ(IsNewVersionStaged(dir_), 1);
  file::Remove(dir_ + "brova.exe");
  EXPECT_EQ(IsNewVersionStaged(dir_), 0);
}

}  // namespace
