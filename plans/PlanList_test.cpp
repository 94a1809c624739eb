#include "plans/PlanList.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"
#include "common/Text.h"
#include "plans/PlanEdit.h"

namespace {

class PlanListTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path_ = dir_ + "/plan.ini";
  }

  CPlanList Loaded(const std::vector<PlanRow>& rows) {
    EXPECT_EQ(WritePlanFile(rows, path_), 0);
    CPlanList list(path_);
    list.SetAfterSave([this] { ++saves_; });
    list.Load();
    return list;
  }
  std::vector<PlanRow> OnDisk() {
    std::vector<PlanRow> rows;
    ReadPlanFile(rows, path_);
    return rows;
  }
  static PlanEditData Added(MinuteTime t, const std::string& content) {
    PlanEditData edit;
    edit.StartAdd(t);
    edit.content = content;
    return edit;
  }

  std::string path_;
  int saves_ = 0;
};

TEST_F(PlanListTest, RowsStartUncheckedAndClicksOnTheCheckColumnFlipThem) {
  CPlanList list = Loaded({{"2012-05-28 08:00", "a"}, {"2012-05-28 09:00", "b"}});
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.CellText(0, CPlanList::kCheckColumn), "未选中");
  EXPECT_TRUE(list.Click(1, CPlanList::kTimeColumn));
  EXPECT_TRUE(list.Click(1, CPlanList::kContentColumn));
  EXPECT_FALSE(list.At(1).checked);
  EXPECT_TRUE(list.Click(1, CPlanList::kCheckColumn));
  EXPECT_EQ(list.CellText(1, CPlanList::kCheckColumn), "选中");
  list.Click(1, CPlanList::kCheckColumn);
  EXPECT_EQ(list.CellText(1, CPlanList::kCheckColumn), "未选中");
  EXPECT_FALSE(list.Click(2, CPlanList::kCheckColumn));
  EXPECT_FALSE(list.Click(-1, CPlanList::kCheckColumn));
  EXPECT_EQ(saves_, 0);  // check marks are never stored
}

TEST_F(PlanListTest, AddInsertsAfterPlansOfTheSameTimeAndSaves) {
  CPlanList list = Loaded(
      {{"2012-05-28 08:00", "a"}, {"2012-05-28 09:00", "b"}, {"2012-05-28 10:00", "c"}});
  EXPECT_EQ(list.Add(Added({2012, 5, 28, 9, 0}, "new")), 2);
  EXPECT_EQ(list.Add(Added({2013, 1, 1, 0, 0}, "")), 4);
  EXPECT_EQ(list.Add(Added({2011, 1, 1, 0, 0}, "first")), 0);
  EXPECT_EQ(saves_, 3);
  auto disk = OnDisk();
  ASSERT_EQ(disk.size(), 6u);
  EXPECT_EQ(disk[3].content, "new");
  EXPECT_EQ(disk[3].timeText, "2012-05-28 09:00");
  EXPECT_EQ(disk[5].content, "");
  EXPECT_EQ(list.CellText(5, CPlanList::kContentColumn), "");
  std::string bytes;
  file::ReadAll(path_, bytes);
  EXPECT_NE(bytes.find("||CONTENT:NULL\r\n"), std::string::npos);
}

TEST_F(PlanListTest, ChangeKeepsTimeAndPlaceAndNeedsASelection) {
  CPlanList list = Loaded({{"2012-05-28 08:00", "a"}, {"2012-05-28 09:00", "b"}});
  PlanEditData edit;
  EXPECT_STREQ(list.PrepareChange(-1, edit), "请选择需要修改的项目");
  ASSERT_EQ(list.PrepareChange(1, edit), nullptr);
  EXPECT_EQ(edit.mode, PlanEditData::kChange);
  EXPECT_EQ(edit.time, (MinuteTime{2012, 5, 28, 9, 0}));
  EXPECT_EQ(edit.content, "b");
  EXPECT_FALSE(edit.TimeListsEnabled());

  int selection[PlanEditData::kListCount] = {5, 0, 0, 0, 0};  // ignored in change mode
  ASSERT_EQ(edit.Accept(selection, "changed\r\ntwice"), nullptr);
  list.ApplyChange(1, edit);
  EXPECT_EQ(list.At(1).timeText, "2012-05-28 09:00");
  EXPECT_EQ(list.At(1).content, "changed\r\ntwice");
  auto disk = OnDisk();
  ASSERT_EQ(disk.size(), 2u);
  EXPECT_EQ(disk[1].content, "changed\r\ntwice");
  EXPECT_EQ(saves_, 1);
}

TEST_F(PlanListTest, DeleteWorksOnCheckMarksOnly) {
  CPlanList list = Loaded({{"2012-05-28 08:00", "a"}, {"2012-05-28 09:00", "b"},
                           {"2012-05-28 10:00", "c"}});
  EXPECT_STREQ(list.DeleteChecked(), "请先选择要删除的项");
  EXPECT_EQ(saves_, 0);
  list.Click(0, CPlanList::kCheckColumn);
  list.Click(2, CPlanList::kCheckColumn);
  EXPECT_EQ(list.DeleteChecked(), nullptr);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.At(0).content, "b");
  EXPECT_EQ(OnDisk().size(), 1u);
  EXPECT_EQ(saves_, 1);

  CPlanList empty(dir_ + "/none.ini");
  EXPECT_EQ(empty.Load(), kPlanFileMissing);
  EXPECT_STREQ(empty.DeleteChecked(), "请先选择要删除的项");
}

// A save that cannot write (here a folder holds the file's name) says so;
// the rows stay for the next save, which writes them all.
TEST_F(PlanListTest, AFailedSaveIsKnownAndTheRowsStay) {
  CPlanList list = Loaded({{"2012-05-28 08:00", "a"}});
  ASSERT_TRUE(file::Remove(path_));
  ASSERT_TRUE(file::CreateDir(path_));
  list.Add(Added({2012, 6, 1, 0, 0}, "b"));
  EXPECT_TRUE(list.SaveFailed());
  EXPECT_EQ(list.Count(), 2);
  ASSERT_EQ(rmdir(path_.c_str()), 0);
  PlanEditData edit;
  ASSERT_EQ(list.PrepareChange(0, edit), nullptr);
  edit.content = "c";
  list.ApplyChange(0, edit);
  EXPECT_FALSE(list.SaveFailed());
  ASSERT_EQ(OnDisk().size(), 2u);
  EXPECT_EQ(OnDisk()[0].content, "c");
  EXPECT_EQ(OnDisk()[1].content, "b");
}

TEST_F(PlanListTest, FirstSaveAfterADamagedReadKeepsTheOldFile) {
  std::string damaged = text::ToGb("||TIME:2012-05-28 08:00\r\n||CONTENT:a\r\n"
                                   "||TIMX:2012-05-28 09:00\r\n||CONTENT:b\r\n");
  ASSERT_TRUE(file::WriteAtomic(path_, damaged));
  CPlanList list(path_);
  EXPECT_EQ(list.Load(), kPlanFileDamaged);
  list.Add(Added({2012, 6, 1, 0, 0}, "x"));
  std::string bak;
  ASSERT_TRUE(file::ReadAll(path_ + ".bak", bak));
  EXPECT_EQ(bak, damaged);
  // Later saves leave the backup alone.
  list.Add(Added({2012, 7, 1, 0, 0}, "y"));
  ASSERT_TRUE(file::ReadAll(path_ + ".bak", bak));
  EXPECT_EQ(bak, damaged);

  // A NUL byte inside a line is damage too: the plans after it stay.
  const std::string nul = text::ToGb("||TIME:2012-05-28 08:00\r\n||CONTENT:a") + std::string(1, '\0') +
                          text::ToGb("\r\n||TIME:2012-05-29 08:00\r\n||CONTENT:b\r\n");
  ASSERT_TRUE(file::WriteAtomic(path_, nul));
  file::Remove(path_ + ".bak");
  CPlanList withNul(path_);
  EXPECT_EQ(withNul.Load(), kPlanFileDamaged);
  ASSERT_EQ(withNul.Count(), 2);
  EXPECT_EQ(withNul.At(1).content, "b");
  withNul.Add(Added({2012, 6, 1, 0, 0}, "x"));
  ASSERT_TRUE(file::ReadAll(path_ + ".bak", bak));
  EXPECT_EQ(bak, nul);

  CPlanList sound(path_);
  EXPECT_EQ(sound.Load(), kPlanFileRead);
  file::Remove(path_ + ".bak");
  sound.Add(Added({2012, 8, 1, 0, 0}, "z"));
  EXPECT_FALSE(file::Exists(path_ + ".bak"));
}

// A plan file that is there but cannot be read (here: over the size limit)
// is no empty plan list: it is kept as it is, and nothing is saved over it.
TEST_F(PlanListTest, AFileThatCannotBeReadIsKept) {
  ASSERT_TRUE(file::WriteAtomic(path_, "||TIME:2012-05-28 08:00\r\n||CONTENT:a\r\n"));
  ASSERT_EQ(truncate(path_.c_str(), static_cast<off_t>(kMaxRecordFileBytes) + 1), 0);
  CPlanList list(path_);
  EXPECT_EQ(list.Load(), kPlanFileUnreadable);
  EXPECT_TRUE(list.Locked());
  EXPECT_STREQ(CPlanList::kCannotRead, "计划文件无法读取");
  list.Add(Added({2012, 5, 28, 9, 0}, "b"));
  EXPECT_TRUE(list.SaveFailed());
  EXPECT_EQ(file::Size(path_), static_cast<int64_t>(kMaxRecordFileBytes) + 1);
  EXPECT_FALSE(file::Exists(path_ + ".bak"));
  CPlanList missing(dir_ + "/none.ini");
  EXPECT_EQ(missing.Load(), kPlanFileMissing);
  EXPECT_FALSE(missing.Locked());
}

}  // namespace
