// The assistant's settings files: the boss-key and CD-key records and the
// shutdown time, through their stores.
#include <gtest/gtest.h>
#include <unistd.h>

#include "assistant/BossKeyRecord.h"
#include "assistant/CdKeyRecords.h"
#include "assistant/ShutdownSettings.h"
#include "common/File.h"
#include "common/RecordStore.h"
#include "tests/support/TempFolderTest.h"
#include "common/Text.h"

namespace {

class AssistantFiles : public TempFolderTest {
 protected:
  std::string Folder() const { return dir_ + "/"; }
  std::string Read(const char* relative) {
    std::string out;
    file::ReadAll(Folder() + relative, out);
    return out;
  }
  void Write(const char* relative, const std::string& bytes) {
    file::CreateDir(Folder() + "data3");
    ASSERT_TRUE(file::WriteAtomic(Folder() + relative, bytes));
  }
};

TEST_F(AssistantFiles, BossKeyRecordDefaultsShortFilesAndExactBytes) {
  CRecordStore<BossKeyRecord> store(Folder(), kBossKeyPath);
  EXPECT_EQ(store.Current().key, HotKey{}) << "zeros until the first load";
  EXPECT_EQ(store.Load(), 1);
  EXPECT_EQ(store.Current().key, (HotKey{0x0D, 1, 1, 0}));
  EXPECT_TRUE(store.Current().ShowsDesktop());
  EXPECT_EQ(store.Current().title, "");

  BossKeyRecord r;
  r.key = HotKey{0x42, 0, 1, 1};
  r.listIndex = 3;
  r.title = "记事本 - a";
  ASSERT_TRUE(store.Save(r)) << "data3 is made when missing";
  std::string gb = text::ToGb(r.title);
  std::string expected = std::string("\x42\0\1\1\3\0\0\0", 8) + gb + std::string(300 - gb.size(), '\0');
  EXPECT_EQ(Read(kBossKeyPath), expected);

  // Five bytes replace the key and the index's low byte; the rest stays as
  // the live copy had it: the saved record, or the zeros of a new store.
  Write(kBossKeyPath, std::string("\x44\1\0\0\0", 5));
  CRecordStore<BossKeyRecord> fresh(Folder(), kBossKeyPath);
  for (auto* s : {&store, &fresh}) {
    EXPECT_EQ(s->Load(), 0);
    EXPECT_EQ(s->Current().key, (HotKey{0x44, 1, 0, 0}));
    EXPECT_EQ(s->Current().listIndex, 0);
  }
  EXPECT_EQ(store.Current().title, r.title);
  EXPECT_EQ(fresh.Current().title, "");
}

TEST_F(AssistantFiles, LongTitlesAreCutAtACharacterBoundary) {
  struct Case {
    std::string title;
    size_t storedBytes;
  } cases[] = {
      {std::string(299, 'a'), 299},
      {std::string(400, 'a'), 299},
      {std::string(298, 'a') + "中", 298},          // a two-byte character would end at 300
      {std::string(297, 'a') + "中", 299},
      {std::string(296, 'a') + "\xF0\x9F\x98\x80", 296},  // four GB18030 bytes, 300 in all
  };
  for (const Case& c : cases) {
    BossKeyRecord r;
    r.title = c.title;
    std::string bytes;
    ASSERT_TRUE(r.Serialize(bytes));
    ASSERT_EQ(bytes.size(), BossKeyRecord::kSize);
    EXPECT_EQ(bytes.find('\0', BossKeyRecord::kTitleOffset) - BossKeyRecord::kTitleOffset, c.storedBytes);
    BossKeyRecord back;
    back.ApplyBytes(bytes);
    EXPECT_EQ(c.title.compare(0, back.title.size(), back.title), 0) << "a prefix of whole characters";
  }
}

TEST_F(AssistantFiles, CdKeysDefaultsShortFileAndExactBytes) {
  CRecordStore<CdKeyRecords> store(Folder(), kCdKeyPath);
  EXPECT_EQ(store.Load(), 1);
  EXPECT_EQ(store.Current().open, (HotKey{'P', 1, 1, 0}));
  EXPECT_EQ(store.Current().close, (HotKey{'L', 1, 1, 0}));
  ASSERT_TRUE(store.Save(CdKeyRecords{HotKey{'O', 1, 0, 0}, HotKey{'C', 0, 0, 1}}));
  EXPECT_EQ(Read(kCdKeyPath), std::string("O\1\0\0C\0\0\1", 8));
  Write(kCdKeyPath, std::string("Q\0\1", 3));
  EXPECT_EQ(store.Load(), 0);
  EXPECT_EQ(store.Current().open, (HotKey{'Q', 0, 1, 0}));
  EXPECT_EQ(store.Current().close, (HotKey{'C', 0, 0, 1}));
}

TEST_F(AssistantFiles, ShutdownTimeFile) {
  auto at = [](int hour, int minute) { return ShutdownSettings{1, hour, minute, 0}; };
  CShutdownStore store(Folder());
  EXPECT_EQ(store.Load(), 1);
  EXPECT_EQ(store.Read().armed, 0);
  EXPECT_EQ(store.Current().armed, 0);
  EXPECT_EQ(store.Current().hour, -1);

  ASSERT_TRUE(store.Save(at(22, 5)));
  EXPECT_EQ(Read(kShutdownPath), "22,5");
  EXPECT_EQ(store.Load(), 0);
  EXPECT_EQ(store.Current().armed, 1);
  EXPECT_EQ(store.Current().hour, 22);
  EXPECT_EQ(store.Current().minute, 5);
  EXPECT_EQ(store.Read().hour * 100 + store.Read().minute, 2205);

  Write(kShutdownPath, "7,30,4");
  store.Load();
  EXPECT_EQ(store.Current().third, 4);
  // One number is the hour at minute 0, for the frame (whatever minute it
  // held) as for the dialog.
  Write(kShutdownPath, "7");
  store.Load();
  EXPECT_EQ(store.Current().hour * 100 + store.Current().minute, 700);
  EXPECT_EQ(store.Read().hour * 100 + store.Read().minute, 700);
  Write(kShutdownPath, "x");
  store.Load();
  EXPECT_EQ(store.Current().armed, 1) << "an unreadable time is still a stored setting";
  EXPECT_EQ(store.Current().hour * 100 + store.Current().minute, 0) << "the time the dialog shows";
  EXPECT_EQ(store.Read().armed, 1);
  EXPECT_EQ(store.Read().hour * 100 + store.Read().minute, 0);

  // A folder under the name: neither a save nor a removal can work, both
  // say so, and the live copy stays.
  ASSERT_TRUE(file::Remove(Folder() + kShutdownPath));
  ASSERT_TRUE(file::CreateDir(Folder() + kShutdownPath));
  EXPECT_FALSE(store.Save(at(22, 5)));
  EXPECT_FALSE(store.Remove());
  EXPECT_EQ(store.Current().armed * 10000 + store.Current().hour * 100 + store.Current().minute, 10000);
  ASSERT_EQ(rmdir((Folder() + "data3/shutdown.ini").c_str()), 0);

  // A save and a removal leave the live copy as a load would, without one.
  ASSERT_TRUE(store.Save(at(7, 30)));
  EXPECT_EQ(store.Current().hour * 100 + store.Current().minute, 730);
  EXPECT_EQ(store.Load(), 0);
  EXPECT_TRUE(store.Remove());
  EXPECT_EQ(store.Current().armed, 0);
  EXPECT_EQ(store.Current().hour, -1);
  EXPECT_TRUE(store.Remove()) << "nothing left to remove";
  EXPECT_EQ(store.Load(), 1);
  EXPECT_EQ(store.Current().hour, -1);
  EXPECT_EQ(store.Current().minute, 30) << "a missing file leaves the minute";
}

}  // namespace
