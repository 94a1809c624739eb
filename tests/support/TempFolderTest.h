// Base of unit tests that work on files: a fresh folder under /tmp for each
// test, removed with everything in it afterwards.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/brova_test_XXXXXX";
    const char* made = mkdtemp(pattern);
    ASSERT_NE(made, nullptr);
    dir_ = made;
  }
  void TearDown() override {
    if (!dir_.empty()) std::system(("rm -rf '" + dir_ + "'").c_str());
  }
  // A file in the folder, named with the program's separator.
  std::string PathOf(const std::string& name) const { return dir_ + "\\" + name; }

  std::string dir_;
};
