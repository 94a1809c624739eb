#include "capture/SnapshotSettings.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>

#include "common/File.h"
#include "common/RecordStore.h"

namespace {

TEST(SnapshotSettings, DefaultsAndExactByteLayout) {
  SnapshotSettings s = SnapshotSettings::Defaults("C:\\工具\\brova\\");
  EXPECT_EQ(s.folder, "C:\\工具\\brova\\Snapshot\\");
  EXPECT_EQ(SnapshotSettings::Defaults("C:\\brova").folder, "C:\\brova\\Snapshot\\");
  s.toClipboard = 0;
  std::string bytes;
  ASSERT_TRUE(s.Serialize(bytes));
  ASSERT_EQ(bytes.size(), 280u);
  EXPECT_EQ(bytes.substr(0, 20), std::string("1\1\1\0" "2\1\1\0" "3\1\1\0" "\0\0\0\0" "\1\0\0\0", 20));
  const std::string gbFolder = "C:\\\xB9\xA4\xBE\xDF\\brova\\Snapshot\\";  // "工具" in GBK
  EXPECT_EQ(bytes.substr(20, gbFolder.size()), gbFolder);
  EXPECT_EQ(bytes.substr(20 + gbFolder.size()), std::string(260 - gbFolder.size(), '\0'));

  SnapshotSettings back;
  back.ApplyBytes(bytes);
  EXPECT_EQ(back, s);
}

TEST(SnapshotSettings, ShortFileReplacesOnlyTheBytesPresent) {
  SnapshotSettings s = SnapshotSettings::Defaults("C:\\brova\\");
  // 13 bytes: the three hot keys and the low byte of the clipboard flag.
  s.ApplyBytes(std::string("\x70\0\0\1" "\x71\0\0\0" "\x72\1\0\0" "\0", 13));
  EXPECT_EQ(s.fullScreen, (HotKey{0x70, 0, 0, 1}));
  EXPECT_EQ(s.region, (HotKey{0x72, 1, 0, 0}));
  EXPECT_EQ(s.toClipboard, 0);
  EXPECT_EQ(s.toFile, 1);
  EXPECT_EQ(s.folder, "C:\\brova\\Snapshot\\");
  // A file cut inside the folder overwrites its first bytes only.
  s.ApplyBytes(std::string(20, '\0') + "D:");
  EXPECT_EQ(s.folder, "D:\\brova\\Snapshot\\");
  // From a zeroed record, as at start.
  SnapshotSettings zero;
  zero.ApplyBytes(std::string("\x31\1", 2));
  EXPECT_EQ(zero.fullScreen, (HotKey{0x31, 1, 0, 0}));
  EXPECT_EQ(zero.folder, "");
}

TEST(SnapshotSettings, FolderWithoutNulEndsAtTheRecordEnd) {
  SnapshotSettings s;
  s.ApplyBytes(std::string(20, '\0') + std::string(260, 'x') + "extra");
  EXPECT_EQ(s.folder, std::string(260, 'x'));
  std::string bytes;
  EXPECT_FALSE(s.Serialize(bytes));  // cannot be written back as it is
}

TEST(SnapshotSettings, LoadAndSaveFiles) {
  char tmpl[] = "/tmp/brova_snap_XXXXXX";
  const std::string dir = std::string(mkdtemp(tmpl)) + "/";
  CRecordStore<SnapshotSettings> store(dir, kSnapshotPath);
  const std::string path = store.Path();
  EXPECT_EQ(store.Load(), 1);
  EXPECT_EQ(store.Current(), SnapshotSettings::Defaults(dir));
  EXPECT_FALSE(file::Exists(path));  // defaults are not written

  SnapshotSettings s = store.Current();
  s.toFile = 0;
  s.folder = "D:";
  ASSERT_TRUE(store.Save(s)) << "data is made when missing";
  EXPECT_EQ(file::Size(path), 280);
  CRecordStore<SnapshotSettings> loaded(dir, kSnapshotPath);
  EXPECT_EQ(loaded.Load(), 0);
  EXPECT_EQ(loaded.Current(), s);

  std::string first, second;
  ASSERT_TRUE(file::ReadAll(path, first));
  ASSERT_TRUE(loaded.Save(loaded.Current()));
  ASSERT_TRUE(file::ReadAll(path, second));
  EXPECT_EQ(first, second);

  SnapshotSettings tooLong = s;
  tooLong.folder = "D:\\" + std::string(300, 'a') + "\\";
  EXPECT_FALSE(store.Save(tooLong));
  ASSERT_TRUE(file::ReadAll(path, second));
  EXPECT_EQ(first, second);  // the old file stays
  EXPECT_EQ(store.Current(), s) << "and so does the live copy";
  std::system(("rm -rf " + dir).c_str());
}

TEST(SnapshotSettings, SaveFolderRules) {
  std::string folder;
  EXPECT_EQ(CheckSaveFolder("  D:\\shots  ", folder), SaveFolderCheck::kOk);
  EXPECT_EQ(folder, "D:\\shots\\");
  EXPECT_EQ(CheckSaveFolder("D:\\shots\\", folder), SaveFolderCheck::kOk);
  EXPECT_EQ(folder, "D:\\shots\\");
  EXPECT_EQ(CheckSaveFolder(" D: ", folder), SaveFolderCheck::kOk);
  EXPECT_EQ(folder, "D:");  // a drive alone stays without "\"
  EXPECT_EQ(CheckSaveFolder("1:x", folder), SaveFolderCheck::kOk);  // only the colon is checked
  EXPECT_EQ(folder, "1:x\\");
  EXPECT_EQ(CheckSaveFolder("D", folder), SaveFolderCheck::kInvalid);
  EXPECT_EQ(CheckSaveFolder("", folder), SaveFolderCheck::kInvalid);
  EXPECT_EQ(CheckSaveFolder("\\\\server\\share", folder), SaveFolderCheck::kInvalid);
  EXPECT_EQ(CheckSaveFolder("shots\\", folder), SaveFolderCheck::kInvalid);
  EXPECT_EQ(CheckSaveFolder("中:\\", folder), SaveFolderCheck::kInvalid);

  // 259 bytes fit with the "\" added; one GBK character more does not.
  std::string base = "D:\\" + std::string(255, 'a');
  EXPECT_EQ(CheckSaveFolder(base, folder), SaveFolderCheck::kOk);
  EXPECT_EQ(folder.size(), 259u);
  // Counted in GBK bytes: 259 there, 260 in UTF-8.
  EXPECT_EQ(CheckSaveFolder("D:\\" + std::string(253, 'a') + "中", folder), SaveFolderCheck::kOk);
  EXPECT_EQ(CheckSaveFolder("D:\\" + std::string(254, 'a') + "中", folder), SaveFolderCheck::kTooLong);
  EXPECT_EQ(folder, "D:\\" + std::string(254, 'a') + "中\\");
}

}  // namespace
