// CRegistryKey against the real registry (Wine's, in the test run), under a
// key of its own that each test removes again.
#include "assistant/win/RegistryKey.h"

#include <gtest/gtest.h>

#include <string>

#include "common/Text.h"

namespace {

class RegistryKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = "Software\\brova-tests\\" + std::to_string(GetCurrentProcessId()) + "\\" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, text::Widen("Software\\brova-tests").c_str());
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, text::Widen("Software\\brova-tests").c_str());
  }
  // Sets a value directly, bypassing the class under test.
  void SetRaw(const std::string& name, DWORD type, const void* data, DWORD bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, text::Widen(base_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, text::Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data), bytes);
    RegCloseKey(key);
  }
  bool KeyExists(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExW(root, text::Widen(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  std::string base_;
};

TEST_F(RegistryKeyTest, RootsAreOnlyThePredefinedFour) {
  CRegistryKey key;
  EXPECT_EQ(key.root(), HKEY_CURRENT_USER);
  EXPECT_EQ(key.SetRoot(HKEY_LOCAL_MACHINE), 1);
  EXPECT_EQ(key.SetRoot(HKEY_CURRENT_CONFIG), 0);
  EXPECT_EQ(key.SetRoot(reinterpret_cast<HKEY>(0x1234)), 0);
  EXPECT_EQ(key.root(), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(key.SetRoot(HKEY_CLASSES_ROOT), 1);
  EXPECT_EQ(key.SetRoot(HKEY_USERS), 1);
  key.Reset();
  EXPECT_EQ(key.root(), HKEY_CURRENT_USER);
}

TEST_F(RegistryKeyTest, OpenCreatesOnlyWhenAskedAndEmptyPathNeedsNoKey) {
  CRegistryKey key;
  EXPECT_EQ(key.Open(base_ + "\\missing", 0), 0);
  EXPECT_EQ(key.last_error(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base_ + "\\missing"));
  EXPECT_EQ(key.OpenForReading(base_ + "\\missing"), 0);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base_ + "\\missing"));

  EXPECT_EQ(key.Open(base_ + "\\软件\\made", 1), 1);
  EXPECT_EQ(key.path(), base_ + "\\软件\\made");
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base_ + "\\软件\\made"));
  EXPECT_EQ(key.Open(base_ + "\\软件\\made", 0), 1);
  EXPECT_EQ(key.OpenForReading(base_ + "\\软件\\made"), 1);

  EXPECT_EQ(key.Open("", 0), 1);
  EXPECT_EQ(key.path(), "");
}

TEST_F(RegistryKeyTest, WritesUpTo254CharactersAndReadsThemBack) {
  CRegistryKey key;
  ASSERT_EQ(key.SetRoot(HKEY_LOCAL_MACHINE), 1);
  ASSERT_EQ(key.Open(base_, 1), 1);
  const std::string longest(254, 'p');
  EXPECT_EQ(key.WriteString("path", longest), 1);
  EXPECT_EQ(key.ValueType("path"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(key.ReadString("path", "default"), longest);

  // 255 characters are refused and the stored value stays.
  EXPECT_EQ(key.WriteString("path", std::string(255, 'q')), 0);
  EXPECT_EQ(key.ReadString("path", "default"), longest);
  EXPECT_EQ(key.WriteString("other", std::string(255, 'q')), 0);
  EXPECT_EQ(key.ValueType("other"), 0u);

  // Chinese text, and the empty text.
  EXPECT_EQ(key.WriteString("中文", "C:\\程序\\"), 1);
  EXPECT_EQ(key.ReadString("中文", ""), "C:\\程序\\");
  EXPECT_EQ(key.WriteString("empty", ""), 1);
  EXPECT_EQ(key.ReadString("empty", "default"), "");

  key.SetLazy(false);
  EXPECT_EQ(key.WriteString("flushed", "x"), 1);
  EXPECT_EQ(key.ReadString("flushed", ""), "x");
}

TEST_F(RegistryKeyTest, OtherTypesMissingAndOverlongValuesGiveTheDefault) {
  DWORD number = 7;
  SetRaw("number", REG_DWORD, &number, sizeof number);
  std::wstring overlong(300, L'z');
  SetRaw("overlong", REG_SZ, overlong.c_str(), static_cast<DWORD>((overlong.size() + 1) * 2));
  std::wstring expandable = L"%SystemRoot%\\x";
  SetRaw("expand", REG_EXPAND_SZ, expandable.c_str(), static_cast<DWORD>((expandable.size() + 1) * 2));
  std::wstring unterminated = L"abc";
  SetRaw("unterminated", REG_SZ, unterminated.c_str(), 6);

  CRegistryKey key;
  ASSERT_EQ(key.Open(base_, 0), 1);
  EXPECT_EQ(key.ValueType("number"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(key.ReadString("number", "default"), "default");
  EXPECT_EQ(key.ReadString("overlong", "default"), "default");
  EXPECT_EQ(key.last_error(), ERROR_MORE_DATA);
  EXPECT_EQ(key.ReadString("missing", "default"), "default");
  EXPECT_EQ(key.ReadString("expand", ""), "%SystemRoot%\\x");  // not expanded
  EXPECT_EQ(key.ReadString("unterminated", ""), "abc");

  CRegistryKey nowhere;
  ASSERT_EQ(nowhere.Open(base_ + "\\gone", 1), 1);
  RegDeleteTreeW(HKEY_CURRENT_USER, text::Widen(base_ + "\\gone").c_str());
  EXPECT_EQ(nowhere.ReadString("path", "default"), "default");
  EXPECT_EQ(nowhere.WriteString("path", "x"), 0);
  EXPECT_EQ(nowhere.DeleteValue("path"), 0);
}

TEST_F(RegistryKeyTest, DeleteValueRemovesOnlyThatValue) {
  CRegistryKey key;
  ASSERT_EQ(key.Open(base_, 1), 1);
  ASSERT_EQ(key.WriteString("a", "1"), 1);
  ASSERT_EQ(key.WriteString("b", "2"), 1);
  EXPECT_EQ(key.DeleteValue("a"), 1);
  EXPECT_EQ(key.DeleteValue("a"), 0);
  EXPECT_EQ(key.ReadString("a", "gone"), "gone");
  EXPECT_EQ(key.ReadString("b", ""), "2");
}

}  // namespace
