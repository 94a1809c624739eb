// The updater upkit.exe as brova starts it at its end: "upkit.exe update" in
// the installation folder, with stand-ins for the old and the new brova.exe
// that leave a marker file when they start.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/E2e.h"

namespace {

const std::string kFakeV1 = std::string(BROVA_BUILD_DIR) + "/win/fake_brova_v1.exe";
const std::string kFakeV2 = std::string(BROVA_BUILD_DIR) + "/win/fake_brova_v2.exe";

class UpkitTest : public ::testing::Test {
 protected:
  // brova.exe is the old program, data\brova_new.exe the staged new one.
  void Stage() {
    for (const char* name : {"started-v1.txt", "started-v2.txt", "brova.exe.old", "brova.exe.incoming"})
      std::remove((app() + name).c_str());
    for (const char* name : {"data/brova_new.exe", "brova.exe.incoming"})
      std::system(("rm -rf " + e2e::ShellQuote(app() + name)).c_str());
    ASSERT_TRUE(e2e::WriteFile(app() + "brova.exe", v1_));
    ASSERT_TRUE(e2e::WriteFile(app() + "data/brova_new.exe", v2_));
  }
  // Runs "upkit.exe args" to its end; its exit code.
  int RunUpkit(const std::vector<std::string>& args) {
    pid_t upkit = s_.Start("upkit.exe", args);
    EXPECT_TRUE(s_.WaitForExit(upkit, 120000)) << "upkit.exe never ended";
    return s_.ExitCode(upkit);
  }
  std::string app() const { return s_.appDir() + "/"; }
  std::string Program() const { return e2e::ReadFile(app() + "brova.exe"); }
  bool Exists(const std::string& name) const { return access((app() + name).c_str(), F_OK) == 0; }
  bool NoLeftovers() const { return !Exists("brova.exe.old") && !Exists("brova.exe.incoming"); }
  // The program file in place starts: the old one, as the user left it.
  void ExpectTheOldProgramStarts() {
    std::remove((app() + "started-v1.txt").c_str());
    pid_t brova = s_.Start("brova.exe");
    EXPECT_TRUE(e2e::Session::WaitUntil([&] { return Exists("started-v1.txt"); }, 120000))
        << "brova.exe does not start";
    EXPECT_TRUE(s_.WaitForExit(brova, 120000));
  }

  e2e::Session s_;
  const std::string v1_ = e2e::ReadFile(kFakeV1);
  const std::string v2_ = e2e::ReadFile(kFakeV2);
};

TEST_F(UpkitTest, ReplacesTheProgramKeepsTheStagedFileAndLeavesTheProgramEnded) {
  ASSERT_FALSE(v1_.empty());
  ASSERT_NE(v1_, v2_);
  Stage();
  EXPECT_EQ(RunUpkit({"update"}), 0);
  EXPECT_TRUE(Program() == v2_) << "brova.exe was not replaced";
  // The staged copy stays, equal to the program, for the update list's digest.
  EXPECT_TRUE(e2e::ReadFile(app() + "data/brova_new.exe") == v2_);
  EXPECT_TRUE(NoLeftovers());
  // The user had ended brova: the new one is not started.
  EXPECT_FALSE(e2e::Session::WaitUntil([&] { return Exists("started-v2.txt"); }, 3000)) << "the new brova started";

  // With the program already equal to the staged file there is nothing to do.
  EXPECT_EQ(RunUpkit({"update"}), 0);
  EXPECT_TRUE(Program() == v2_);
  EXPECT_TRUE(NoLeftovers());

  // An earlier run that ended between moving the old program aside and
  // putting the new one in place: the backup comes back, then the update runs.
  Stage();
  std::rename((app() + "brova.exe").c_str(), (app() + "brova.exe.old").c_str());
  e2e::WriteFile(app() + "brova.exe.incoming", "half a program");
  EXPECT_EQ(RunUpkit({"update"}), 0);
  EXPECT_TRUE(Program() == v2_);
  EXPECT_TRUE(NoLeftovers());
  EXPECT_FALSE(Exists("started-v1.txt") || Exists("started-v2.txt"));
}

TEST_F(UpkitTest, WaitsUntilTheRunningBrovaHasEnded) {
  Stage();
  pid_t old = s_.Start("brova.exe", {"hold"});
  ASSERT_TRUE(e2e::Session::WaitUntil([&] { return s_.Window("Pagorin").has_value(); }));
  pid_t upkit = s_.Start("upkit.exe", {"update"});
  // Give upkit ample time to do the wrong thing while brova runs.
  e2e::Session::WaitUntil([&] { return !s_.Running(upkit); }, 3000);
  EXPECT_TRUE(s_.Running(upkit)) << "upkit did not wait for brova";
  EXPECT_TRUE(Program() == v1_);
  EXPECT_TRUE(Exists("data/brova_new.exe"));

  s_.Post("Pagorin", 0x0010);  // WM_CLOSE: brova ends
  EXPECT_TRUE(s_.WaitForExit(old));
  ASSERT_TRUE(s_.WaitForExit(upkit, 120000));
  EXPECT_EQ(s_.ExitCode(upkit), 0);
  EXPECT_TRUE(Program() == v2_);
}

TEST_F(UpkitTest, LeavesTheProgramAloneWhenNotAskedNothingIsStagedOrTheCopyFails) {
  Stage();
  EXPECT_EQ(RunUpkit({}), 2);
  EXPECT_EQ(RunUpkit({"install"}), 2);
  EXPECT_TRUE(Program() == v1_);
  EXPECT_TRUE(Exists("data/brova_new.exe"));

  std::remove((app() + "data/brova_new.exe").c_str());
  EXPECT_EQ(RunUpkit({"update"}), 0);
  EXPECT_TRUE(Program() == v1_);

  // A copy that fails half-way (the place of the new file is taken by a
  // folder): brova.exe stays as it was and, since the user had ended it, is
  // not started again.
  Stage();
  ASSERT_EQ(mkdir((app() + "brova.exe.incoming").c_str(), 0755), 0);
  EXPECT_EQ(RunUpkit({"update"}), 1);
  EXPECT_TRUE(Program() == v1_);
  EXPECT_FALSE(Exists("brova.exe.old"));
  // Nothing was started by any of these runs.
  EXPECT_FALSE(e2e::Session::WaitUntil([&] { return Exists("started-v1.txt"); }, 2000));
}

// A download cut short, an empty file, an error page saved under the
// program's name, a program for another processor: none of them replaces
// brova.exe, the staged file goes so the next check fetches it again, and
// the old program still starts.
TEST_F(UpkitTest, AStagedFileThatIsNotAWholeX64ProgramNeverReplacesTheProgram) {
  std::string i386 = v2_;
  const size_t pe = static_cast<unsigned char>(v2_[0x3C]) | static_cast<unsigned char>(v2_[0x3D]) << 8;
  ASSERT_TRUE(pe + 6 < i386.size() && i386.compare(pe, 4, std::string("PE\0\0", 4)) == 0);
  i386[pe + 4] = 0x4C;  // machine 0x014C
  i386[pe + 5] = 0x01;
  for (const std::string& staged : {v2_.substr(0, v2_.size() / 2), v2_.substr(0, v2_.size() - 1), std::string(),
                                    std::string("<html>404 Not Found</html>"), i386}) {
    Stage();
    ASSERT_TRUE(e2e::WriteFile(app() + "data/brova_new.exe", staged));
    EXPECT_EQ(RunUpkit({"update"}), 1) << staged.size();
    EXPECT_TRUE(Program() == v1_) << staged.size();
    EXPECT_FALSE(Exists("data/brova_new.exe")) << staged.size();
    EXPECT_TRUE(NoLeftovers());
  }
  ExpectTheOldProgramStarts();
}

}  // namespace
