// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score file is relative to the current directory, so every test runs in
// a directory of its own that disappears afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/real_root.h"

class CScratchDirectory {
 public:
  CScratchDirectory();
  ~CScratchDirectory();
  CScratchDirectory(const CScratchDirectory&) = delete;
  CScratchDirectory& operator=(const CScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

 private:
  std::filesystem::path m_previous;
  std::filesystem::path m_path;
};

class ScratchDirectoryTest : public ::testing::Test {
 protected:
  // fakeroot answers stat from records of its own, which the save's
  // renameat2 and O_TMPFILE pass by: a reused inode may then show another
  // file's type. The score file's tests need the real file system.
  void SetUp() override {
    if (karoblen_test::RunsAsPretendedRoot())
      GTEST_SKIP() << "needs the real file system, not fakeroot's";
  }
  CScratchDirectory m_scratch;
};

std::vector<unsigned char> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<unsigned char>& bytes);
bool FileExists(const std::string& path);
// Names in `directory` that start with "Karoblen.scr.".
std::vector<std::string> LeftoverTemporaryFiles(const std::string& directory = ".");
