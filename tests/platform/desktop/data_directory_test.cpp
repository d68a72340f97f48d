// SPDX-License-Identifier: GPL-3.0-or-later
// The directory the menu entry starts the game in: which one, and what
// happens when it cannot be made.
#include "platform/desktop/data_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "tests/scores/scratch_directory.h"

namespace {

namespace fs = std::filesystem;

EnvReader Env(std::map<std::string, std::string> vars) {
  return [vars = std::move(vars)](const std::string& name) {
    const auto it = vars.find(name);
    return it == vars.end() ? std::string() : it->second;
  };
}

TEST(DataDirectoryTest, XdgDataHomeWinsWhenAbsoluteOtherwiseHome) {
  const struct {
    const char* dataHome;
    const char* home;
    const char* expected;
  } cases[] = {
      {"/d/data", "/home/ann", "/d/data/karoblen"},
      {"", "/home/ann", "/home/ann/.local/share/karoblen"},
      {"relative/data", "/home/ann", "/home/ann/.local/share/karoblen"},
      {"", "", ""},
      {"", "home/ann", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DataDirectoryPath(Env({{"XDG_DATA_HOME", c.dataHome}, {"HOME", c.home}})), c.expected)
        << c.dataHome << " | " << c.home;
}

class DataDirectoryEnterTest : public ScratchDirectoryTest {
 protected:
  std::string Enter(const fs::path& dataHome) {
    return EnterDataDirectory(Env({{"XDG_DATA_HOME", dataHome.string()}, {"HOME", "/nowhere"}}));
  }
};

TEST_F(DataDirectoryEnterTest, CreatesPrivateDirectoriesAndMovesIntoThem) {
  const fs::path dataHome = m_scratch.Path() / "new" / "data";
  ASSERT_EQ(Enter(dataHome), "");
  EXPECT_EQ(fs::current_path(), dataHome / "karoblen");
  for (const fs::path& made : {dataHome.parent_path(), dataHome, dataHome / "karoblen"}) {
    struct stat info {};
    ASSERT_EQ(::stat(made.c_str(), &info), 0) << made;
    EXPECT_EQ(info.st_mode & 077, 0u) << made;
  }
  // The second start finds it there.
  fs::current_path(m_scratch.Path());
  EXPECT_EQ(Enter(dataHome), "");
  EXPECT_EQ(fs::current_path(), dataHome / "karoblen");
}

TEST_F(DataDirectoryEnterTest, AFileInTheWayIsReportedAndTheDirectoryStays) {
  WriteFileBytes("file", {'x'});
  const fs::path start = fs::current_path();
  // In place of a parent, and in place of the directory itself.
  EXPECT_EQ(Enter(start / "file" / "data"),
            "cannot create " + (start / "file" / "data").string() + " (Not a directory)");
  fs::create_directories(start / "data");
  WriteFileBytes("data/karoblen", {'x'});
  EXPECT_EQ(Enter(start / "data"),
            "cannot enter " + (start / "data" / "karoblen").string() + " (Not a directory)");
  EXPECT_EQ(fs::current_path(), start);
  EXPECT_EQ(EnterDataDirectory(Env({})),
            "neither XDG_DATA_HOME nor HOME names an absolute directory");
}

}  // namespace
