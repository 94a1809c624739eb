#include "online/Md5.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "tests/support/TempFolderTest.h"
#include "common/File.h"

namespace {

TEST(Md5, Rfc1321TestSuite) {
  EXPECT_EQ(CMd5::HexOf(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(CMd5::HexOf("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(CMd5::HexOf("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(CMd5::HexOf("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(CMd5::HexOf("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(CMd5::HexOf("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  std::string eightTimes;
  for (int i = 0; i < 8; ++i) eightTimes += "1234567890";
  EXPECT_EQ(CMd5::HexOf(eightTimes), "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecesGiveTheSameDigestAsTheWhole) {
  std::string data;
  std::mt19937 rng(7);
  for (int i = 0; i < 1000; ++i) data += static_cast<char>(rng());
  std::string whole = CMd5::HexOf(data);
  // Piece sizes around the 64-byte block and the 56-byte padding limit.
  for (size_t piece : {1u, 3u, 55u, 56u, 63u, 64u, 65u, 127u}) {
    CMd5 md5;
    for (size_t i = 0; i < data.size(); i += piece) md5.Update(data.data() + i, std::min(piece, data.size() - i));
    uint8_t digest[16];
    md5.Final(digest);
    EXPECT_EQ(CMd5::Hex(digest), whole) << "piece " << piece;
    // After Final the object starts a new message.
    md5.Update("abc", 3);
    md5.Final(digest);
    EXPECT_EQ(CMd5::Hex(digest), "900150983cd24fb0d6963f7d28e17f72");
  }
}

class Md5FileTest : public TempFolderTest {
 protected:

  static std::string Md5sum(const std::string& path) {
    std::string out;
    FILE* p = popen(("md5sum '" + path + "'").c_str(), "r");
    char buf[128];
    if (p && fgets(buf, sizeof buf, p)) out = std::string(buf).substr(0, 32);
    if (p) pclose(p);
    return out;
  }
};

TEST_F(Md5FileTest, FilesOfAwkwardSizesMatchMd5sum) {
  if (std::system("command -v md5sum >/dev/null") != 0) GTEST_SKIP() << "md5sum missing";
  std::mt19937 rng(42);
  for (size_t size : {0u, 1u, 1023u, 1024u, 1025u, 65535u, 65536u, 65537u, (3u << 20) + 7u}) {
    std::string data(size, '\0');
    for (char& c : data) c = static_cast<char>(rng());
    std::string path = dir_ + "/f" + std::to_string(size);
    ASSERT_TRUE(file::WriteAtomic(path, data));
    std::string text;
    ASSERT_EQ(FileMd5Hex(path, text), 0);
    EXPECT_EQ(text, Md5sum(path)) << "size " << size;
  }
}

TEST_F(Md5FileTest, AppendsToTheTextAndLeavesItAloneForAMissingFile) {
  ASSERT_TRUE(file::WriteAtomic(dir_ + "\\abc", "abc"));  // program-style separator
  std::string text = "x:";
  EXPECT_EQ(FileMd5Hex(dir_ + "\\abc", text), 0);
  EXPECT_EQ(text, "x:900150983cd24fb0d6963f7d28e17f72");
  std::string unchanged = "keep";
  EXPECT_EQ(FileMd5Hex(dir_ + "/missing", unchanged), -1);
  EXPECT_EQ(unchanged, "keep");
  // A folder opens on some systems but cannot be read as a file.
  std::string folder;
  EXPECT_EQ(FileMd5Hex(dir_, folder), -1);
  EXPECT_EQ(folder, "");
}

}  // namespace
