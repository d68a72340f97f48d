// SPDX-License-Identifier: GPL-3.0-or-later
// Every kind of file a game can meet at the score file's name, each set up in
// a scratch directory, then loaded and saved by a player without privileges
// in a forked child: as root (as on CI) the child becomes `nobody` and the
// scenes get other owners; as anyone else the child plays as that user, and
// the scenes that need other owners are skipped, each reported as skipped.
#include <fcntl.h>
#include <grp.h>
#include <pty.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

#include "score_bytes.h"
#include "scores/score_store.h"
#include "scratch_directory.h"
#include "tests/real_root.h"

namespace fs = std::filesystem;

// Calls to umask from anywhere in this program. Setting it, even for an
// instant to read it, would give files that other threads create meanwhile
// the wrong mode: a save must never call it.
std::atomic<int> g_umaskCalls{0};
extern "C" mode_t umask(mode_t mask) {
  g_umaskCalls.fetch_add(1);
  return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

namespace {

enum class Who { Player, Other, Root };
enum class Group { Player, Shared, Foreign, Root };  // the player is a member of Shared only
enum class After { New, Old, Absent, Device };
enum class Inode { Kept, Replaced, Created };

constexpr int kCouldNotBecomePlayer = 90;
constexpr int kCouldNotReachScene = 91;
constexpr int kTouchedTheUmask = 92;
// What the child reports, as bits of its exit status.
constexpr int kSaved = 1;
constexpr int kLoaded = 2;
constexpr const char* kAccessAcl = "system.posix_acl_access";

// Who plays which part. As root the player is `nobody`; the other user and
// the groups are ids no account needs.
struct Cast {
  bool root = false;
  uid_t player = 0;
  gid_t playerGroup = 0;
  uid_t other = 4242;
  gid_t shared = 4243;
  gid_t foreign = 4244;
};

Cast TheCast() {
  Cast cast;
  cast.root = karoblen_test::RunsAsRealRoot();
  if (!cast.root) {
    cast.player = ::geteuid();
    cast.playerGroup = ::getegid();
    return cast;
  }
  const passwd* nobody = ::getpwnam("nobody");
  cast.player = nobody ? nobody->pw_uid : 65534;
  cast.playerGroup = nobody ? nobody->pw_gid : 65534;
  return cast;
}

// What a game that entered New and Last saves: with the old file's entry
// when there was one, since a save keeps what it finds on disk.
Bytes NewFile(bool keepingOld) {
  Bytes file = BlankScoreFile();
  PutRecord(file, keepingOld, Record("New", 5));
  if (keepingOld) PutRecord(file, 0, Record("Old", 9));
  PutRecord(file, 110, Record("Last", 3));
  return file;
}

// Paths are relative to the scratch directory; the player starts in "home".
class Scene {
 public:
  explicit Scene(const Cast& cast) : m_cast(cast) {}

  uid_t Uid(Who who) const {
    return who == Who::Player ? m_cast.player : who == Who::Other ? m_cast.other : 0;
  }
  gid_t Gid(Group group) const {
    switch (group) {
      case Group::Player:
        return m_cast.playerGroup;
      case Group::Shared:
        return m_cast.shared;
      case Group::Foreign:
        return m_cast.foreign;
      case Group::Root:
        break;
    }
    return 0;
  }

  void Dir(const char* path, Who owner, mode_t mode, Group group = Group::Player) const {
    ::mkdir(path, 0700);
    Own(path, owner, group, mode);
  }
  void File(const char* path, Who owner, Group group, mode_t mode) const {
    WriteFileBytes(path, OldFile());
    Own(path, owner, group, mode);
  }
  void Link(const char* path, const char* target, Who owner = Who::Player) const {
    ASSERT_EQ(::symlink(target, path), 0) << path;
    if (m_cast.root) {
      ASSERT_EQ(::lchown(path, Uid(owner), static_cast<gid_t>(-1)), 0) << path;
    }
  }
  void HardLink(const char* path, const char* existing) const {
    ASSERT_EQ(::link(existing, path), 0) << path;
  }
  void Fifo(const char* path) const {
    ASSERT_EQ(::mkfifo(path, 0600), 0) << path;
    Own(path, Who::Player, Group::Player, 0666);
  }
  // A terminal the player may write, whose other end nobody reads.
  void Terminal(const char* linkPath) const {
    static int s_nController = -1;
    static int s_nTerminal = -1;
    char name[64] = {};
    if (s_nController < 0) {
      ASSERT_EQ(::openpty(&s_nController, &s_nTerminal, name, nullptr, nullptr), 0);
    }
    ASSERT_EQ(::ttyname_r(s_nTerminal, name, sizeof name), 0);
    ASSERT_EQ(::chmod(name, 0666), 0);
    Link(linkPath, name);
  }

 private:
  void Own(const char* path, Who owner, Group group, mode_t mode) const {
    if (m_cast.root) {
      ASSERT_EQ(::lchown(path, Uid(owner), Gid(group)), 0) << path;
    }
    ASSERT_EQ(::chmod(path, mode), 0) << path;
  }

  Cast m_cast;
};

// Fields in reading order, padding or not.
struct Situation {  // NOLINT(clang-analyzer-optin.performance.Padding)
  const char* id = "";
  bool needsRoot = false;  // other owners or groups, or root saving
  Who saver = Who::Player;
  void (*setup)(const Scene&) = nullptr;
  bool loaded = false;  // the game loaded the old scores
  bool saved = false;
  const char* path = "";  // where the save should land, or what it must leave alone
  After content = After::Old;
  mode_t type = S_IFREG;
  Who owner = Who::Player;
  Group group = Group::Player;
  mode_t mode = 0;
  nlink_t links = 1;
  Inode inode = Inode::Kept;
  const char* link = nullptr;  // a link the save must leave a link, if any
  bool acl = false;            // `path` carries an ACL the save must keep
};

// clang-format off
const Situation kSituations[] = {
  {.id = "AbsentIsCreatedWithTheModeTheUmaskGives", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene&) {},
   .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0640, .links = 1, .inode = Inode::Created},
  {.id = "DanglingLinkCreatesItsTargetWhereItPoints", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.Dir("shared", Who::Player, 0755);
     s.Link("home/Karoblen.scr", "../shared/Karoblen.scr");
   },
   .saved = true, .path = "shared/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0640, .links = 1, .inode = Inode::Created,
   .link = "home/Karoblen.scr"},
  {.id = "ChainOfLinksCountsEachFromItsOwnDirectory", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.Dir("shared", Who::Player, 0755);
     s.Dir("shared/deeper", Who::Player, 0755);
     s.Link("home/Karoblen.scr", "../shared/next");
     s.Link("shared/next", "deeper/Karoblen.scr");
   },
   .saved = true, .path = "shared/deeper/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0640, .links = 1, .inode = Inode::Created,
   .link = "shared/next"},
  {.id = "OwnFileIsReplacedAtOnceKeepingItsMode", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Player, 0604); },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0604, .links = 1, .inode = Inode::Replaced},
  {.id = "OwnFileIsReplacedKeepingItsGroup", .needsRoot = true, .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Shared, 0664); },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Shared, .mode = 0664, .links = 1, .inode = Inode::Replaced},
  {.id = "OwnFileIsReplacedKeepingItsAcl", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Player, 0640); },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0640, .links = 1, .inode = Inode::Replaced,
   .acl = true},
  {.id = "OwnFileThroughALinkIsReplacedWhereItLies", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.Dir("shared", Who::Player, 0755);
     s.File("shared/Karoblen.scr", Who::Player, Group::Player, 0664);
     s.Link("home/Karoblen.scr", "../shared/Karoblen.scr");
   },
   .loaded = true, .saved = true, .path = "shared/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0664, .links = 1, .inode = Inode::Replaced,
   .link = "home/Karoblen.scr"},
  {.id = "OwnFileInADirectoryThePlayerMayNotChangeIsRewrittenInPlace", .needsRoot = false,
   .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.File("home/Karoblen.scr", Who::Player, Group::Player, 0644);
     s.Dir("home", Who::Player, 0555);
   },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0644, .links = 1, .inode = Inode::Kept},
  {.id = "OwnFileWithASecondHardLinkIsRewrittenInPlace", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.File("home/Karoblen.scr", Who::Player, Group::Player, 0644);
     s.HardLink("home/backup.scr", "home/Karoblen.scr");
   },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0644, .links = 2, .inode = Inode::Kept},
  {.id = "GroupWritableFileInAnothersDirectoryIsRewrittenInPlace", .needsRoot = true,
   .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.Dir("shared", Who::Other, 0755);
     s.File("shared/Karoblen.scr", Who::Other, Group::Shared, 0664);
     s.Link("home/Karoblen.scr", "../shared/Karoblen.scr");
   },
   .loaded = true, .saved = true, .path = "shared/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Other, .group = Group::Shared, .mode = 0664, .links = 1, .inode = Inode::Kept,
   .link = "home/Karoblen.scr"},
  {.id = "AnothersFileInAStickyDirectoryIsRewrittenInPlace", .needsRoot = true,
   .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.Dir("shared", Who::Other, 01777);
     s.File("shared/Karoblen.scr", Who::Other, Group::Foreign, 0666);
     s.Link("home/Karoblen.scr", "../shared/Karoblen.scr");
   },
   .loaded = true, .saved = true, .path = "shared/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Other, .group = Group::Foreign, .mode = 0666, .links = 1, .inode = Inode::Kept,
   .link = "home/Karoblen.scr"},
  {.id = "AnothersWritableFileInThePlayersDirectoryKeepsItsOwner", .needsRoot = true,
   .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Other, Group::Player, 0666); },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Other, .group = Group::Player, .mode = 0666, .links = 1, .inode = Inode::Kept},
  {.id = "OwnFileOfAGroupThePlayerLeftKeepsItsGroup", .needsRoot = true, .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Foreign, 0664); },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Foreign, .mode = 0664, .links = 1, .inode = Inode::Kept},
  {.id = "AnothersPrivateFileIsLeftAlone", .needsRoot = true, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.Dir("shared", Who::Other, 0777);
     s.File("shared/Karoblen.scr", Who::Other, Group::Foreign, 0600);
     s.Link("home/Karoblen.scr", "../shared/Karoblen.scr");
   },
   .saved = false, .path = "shared/Karoblen.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Other, .group = Group::Foreign, .mode = 0600, .links = 1, .inode = Inode::Kept,
   .link = "home/Karoblen.scr"},
  {.id = "LinkPlantedInAStickyDirectoryIsNotFollowed", .needsRoot = true, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.File("home/mine.scr", Who::Player, Group::Player, 0644);
     s.Dir("tmp", Who::Root, 01777);
     s.Link("tmp/Karoblen.scr", "../home/mine.scr", Who::Other);
     s.Link("home/Karoblen.scr", "../tmp/Karoblen.scr");
   },
   .saved = false, .path = "home/mine.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0644, .links = 1, .inode = Inode::Kept},
  // A setgid directory the player shares with the group, as groups share
  // scores: a member can plant a link in it to the player's private file.
  {.id = "LinkPlantedInAGroupDirectoryIsNotFollowed", .needsRoot = true, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.File("home/mine.scr", Who::Player, Group::Player, 0600);
     s.Dir("group", Who::Root, 02775, Group::Shared);
     s.Link("group/Karoblen.scr", "../home/mine.scr", Who::Other);
     s.Link("home/Karoblen.scr", "../group/Karoblen.scr");
   },
   .saved = false, .path = "home/mine.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0600, .links = 1, .inode = Inode::Kept},
  {.id = "OwnLinkInAGroupDirectoryIsFollowed", .needsRoot = true, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.File("home/mine.scr", Who::Player, Group::Player, 0600);
     s.Dir("group", Who::Root, 02775, Group::Shared);
     s.Link("group/Karoblen.scr", "../home/mine.scr", Who::Player);
     s.Link("home/Karoblen.scr", "../group/Karoblen.scr");
   },
   .loaded = true, .saved = true, .path = "home/mine.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0600, .links = 1, .inode = Inode::Replaced},
  {.id = "HardLinkInAGroupDirectoryIsNeitherLoadedNorRewritten", .needsRoot = true,
   .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.File("home/mine.scr", Who::Player, Group::Player, 0600);
     s.Dir("group", Who::Root, 02775, Group::Shared);
     s.HardLink("group/Karoblen.scr", "home/mine.scr");
     s.Link("home/Karoblen.scr", "../group/Karoblen.scr");
   },
   .saved = false, .path = "home/mine.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0600, .links = 2, .inode = Inode::Kept},
  {.id = "RootsFileInThePlayersDirectoryIsLeftAlone", .needsRoot = true, .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Root, Group::Root, 0644); },
   .loaded = true, .saved = false, .path = "home/Karoblen.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Root, .group = Group::Root, .mode = 0644, .links = 1, .inode = Inode::Kept},
  {.id = "OwnReadOnlyFileIsLeftAlone", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Player, 0444); },
   .loaded = true, .saved = false, .path = "home/Karoblen.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0444, .links = 1, .inode = Inode::Kept},
  {.id = "OwnUnreadableFileIsLeftAlone", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Player, 0200); },
   .saved = false, .path = "home/Karoblen.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0200, .links = 1, .inode = Inode::Kept},
  {.id = "RootRewritesAPlayersFileInPlace", .needsRoot = true, .saver = Who::Root,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Player, 0644); },
   .loaded = true, .saved = true, .path = "home/Karoblen.scr", .content = After::New, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0644, .links = 1, .inode = Inode::Kept},
  {.id = "RootLeavesAReadOnlyFileAlone", .needsRoot = true, .saver = Who::Root,
   .setup = [](const Scene& s) { s.File("home/Karoblen.scr", Who::Player, Group::Player, 0444); },
   .loaded = true, .saved = false, .path = "home/Karoblen.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0444, .links = 1, .inode = Inode::Kept},
  {.id = "AbsentInADirectoryThePlayerMayNotChangeIsNotSaved", .needsRoot = false,
   .saver = Who::Player,
   .setup = [](const Scene& s) { s.Dir("home", Who::Player, 0555); },
   .saved = false, .path = "home/Karoblen.scr", .content = After::Absent},
  {.id = "LinkToDevNullWritesTheDevice", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) { s.Link("home/Karoblen.scr", "/dev/null"); },
   .saved = true, .path = "/dev/null", .content = After::Device, .type = S_IFCHR,
   .link = "home/Karoblen.scr"},
  {.id = "LinkToADeviceThatRefusesTheBytesIsNotSaved", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) { s.Link("home/Karoblen.scr", "/dev/full"); },
   .saved = false, .path = "/dev/full", .content = After::Device, .type = S_IFCHR,
   .link = "home/Karoblen.scr"},
  {.id = "LinkToAFifoIsLeftAloneWithoutBlocking", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.Fifo("home/pipe");
     s.Link("home/Karoblen.scr", "pipe");
   },
   .saved = false, .path = "home/pipe", .content = After::Device, .type = S_IFIFO,
   .link = "home/Karoblen.scr"},
  {.id = "HardLinkInAStickyDirectoryIsNeitherLoadedNorRewritten", .needsRoot = false,
   .saver = Who::Player,
   .setup = [](const Scene& s) {
     s.File("home/mine.scr", Who::Player, Group::Player, 0644);
     s.Dir("tmp", Who::Root, 01777);
     s.HardLink("tmp/Karoblen.scr", "home/mine.scr");
     s.Link("home/Karoblen.scr", "../tmp/Karoblen.scr");
   },
   .saved = false, .path = "home/mine.scr", .content = After::Old, .type = S_IFREG,
   .owner = Who::Player, .group = Group::Player, .mode = 0644, .links = 2, .inode = Inode::Kept},
  {.id = "LinkToATerminalIsNotWritten", .needsRoot = false, .saver = Who::Player,
   .setup = [](const Scene& s) { s.Terminal("home/Karoblen.scr"); },
   .saved = false, .path = "home/Karoblen.scr", .content = After::Device, .type = S_IFLNK,
   .link = "home/Karoblen.scr"},
};
// clang-format on

void PrintTo(const Situation& situation, std::ostream* out) { *out << situation.id; }

// An access ACL that also lets the other user read: owner rw, user 4242 r,
// group r, mask r, others nothing (the kernel's little-endian xattr form).
Bytes AclLettingTheOtherUserRead() {
  struct Entry {
    std::uint16_t tag;
    std::uint16_t perm;
    std::uint32_t id;
  };
  constexpr std::uint32_t kNoId = 0xFFFFFFFF;
  constexpr Entry kEntries[] = {
      {0x01, 6, kNoId},  // owner
      {0x02, 4, 4242},   // the other user
      {0x04, 4, kNoId},  // owning group
      {0x10, 4, kNoId},  // mask
      {0x20, 0, kNoId},  // others
  };
  Bytes acl{2, 0, 0, 0};
  for (const Entry& entry : kEntries) {
    const std::uint64_t packed =
        entry.tag | (std::uint64_t{entry.perm} << 16) | (std::uint64_t{entry.id} << 32);
    for (int shift = 0; shift < 64; shift += 8)
      acl.push_back(static_cast<unsigned char>(packed >> shift));
  }
  return acl;
}

Bytes AclOf(const std::string& path) {
  Bytes acl(4096);
  const ssize_t size = ::getxattr(path.c_str(), kAccessAcl, acl.data(), acl.size());
  acl.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
  return acl;
}

// Every name under the scratch directory, links not followed.
std::set<std::string> Listing() {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator("."))
    names.insert(entry.path().lexically_relative(".").string());
  return names;
}

// Runs `action` from "home" in a child that has become `who`, with umask
// 027; what it returned (kSaved, kLoaded), or one of the failures above.
int RunAs(const Cast& cast, Who who, const std::function<int()>& action) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::alarm(10);  // an action that blocks fails the test instead of hanging it
    if (cast.root && who == Who::Player) {
      const gid_t groups[] = {cast.shared};
      if (::setgroups(1, groups) != 0 ||
          ::setresgid(cast.playerGroup, cast.playerGroup, cast.playerGroup) != 0 ||
          ::setresuid(cast.player, cast.player, cast.player) != 0)
        ::_exit(kCouldNotBecomePlayer);
    }
    if (::chdir("home") != 0) ::_exit(kCouldNotReachScene);
    ::umask(027);
    g_umaskCalls = 0;
    const int result = action();
    ::_exit(g_umaskCalls != 0 ? kTouchedTheUmask : result);
  }
  int status = -1;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ExpectRanToTheEnd(int status, const fs::path& scratch) {
  ASSERT_NE(status, kCouldNotBecomePlayer) << "could not drop to the player's ids";
  ASSERT_NE(status, kCouldNotReachScene) << "the player cannot reach " << scratch;
  ASSERT_NE(status, kTouchedTheUmask) << "the umask was changed";
  ASSERT_TRUE(status >= 0 && status <= (kSaved | kLoaded)) << "the child ended with " << status;
}

class SaveSituationTest
    : public ScratchDirectoryTest,
      public ::testing::WithParamInterface<std::tuple<Situation, TemporaryFiles>> {
 protected:
  // The player must reach the scene: mkdtemp made the scratch directory 0700.
  void SetUp() override { ASSERT_EQ(::chmod(m_scratch.Path().c_str(), 0755), 0); }

  Cast m_cast = TheCast();
};

TEST_P(SaveSituationTest, LoadAndSaveReachWhatAPlainRewriteWouldAndLeaveNoTemporary) {
  const auto& [situation, kind] = GetParam();
  if (situation.needsRoot && !m_cast.root)
    GTEST_SKIP() << "needs root, to give the scene other owners and groups or to save as root";
  if (karoblen_test::RunsAsPretendedRoot())
    GTEST_SKIP() << "needs a real user, not fakeroot's root";
  const Scene scene(m_cast);
  scene.Dir("home", Who::Player, 0755);
  situation.setup(scene);
  ASSERT_FALSE(HasFatalFailure());
  Bytes acl;
  if (situation.acl) {
    acl = AclLettingTheOtherUserRead();
    if (::setxattr(situation.path, kAccessAcl, acl.data(), acl.size(), 0) != 0)
      GTEST_SKIP() << "this file system keeps no ACLs";
    acl = AclOf(situation.path);
  }

  struct stat before {};
  const bool existed = ::stat(situation.path, &before) == 0;
  const auto namesBefore = Listing();
  const int status = RunAs(m_cast, situation.saver, [kind = kind] {
    CScoreStore tables(kScoreFileName, kind);
    tables.LoadScores();
    const bool loaded = NameOf(tables.Entry(0, 0)) == "Old";
    tables.InsertEntry(0, "New", 5, false, false);
    tables.InsertEntry(11, "Last", 3, false, false);
    return (tables.SaveScores() ? kSaved : 0) | (loaded ? kLoaded : 0);
  });
  ExpectRanToTheEnd(status, m_scratch.Path());
  EXPECT_EQ((status & kSaved) != 0, situation.saved);
  EXPECT_EQ((status & kLoaded) != 0, situation.loaded);

  // Nothing appeared but the file a save created, and nothing vanished.
  auto expectedNames = namesBefore;
  if (situation.inode == Inode::Created) expectedNames.insert(situation.path);
  EXPECT_EQ(Listing(), expectedNames);
  if (situation.link) {
    EXPECT_TRUE(fs::is_symlink(situation.link)) << situation.link;
  }

  struct stat after {};
  if (situation.content == After::Absent) {
    EXPECT_NE(::lstat(situation.path, &after), 0);
    return;
  }
  ASSERT_EQ(::lstat(situation.path, &after), 0);
  EXPECT_EQ(after.st_mode & S_IFMT, situation.type);
  if (situation.content == After::Device) return;
  EXPECT_EQ(after.st_uid, scene.Uid(situation.owner));
  EXPECT_EQ(after.st_gid, scene.Gid(situation.group));
  EXPECT_EQ(after.st_mode & 07777, situation.mode);
  EXPECT_EQ(after.st_nlink, situation.links);
  if (situation.inode != Inode::Created) {
    ASSERT_TRUE(existed);
    EXPECT_EQ(after.st_ino == before.st_ino, situation.inode == Inode::Kept);
  }
  if (situation.acl) {
    EXPECT_EQ(AclOf(situation.path), acl);
  }
  if (!m_cast.root) ::chmod(situation.path, situation.mode | 0400);  // to read it back
  EXPECT_EQ(ReadFileBytes(situation.path), situation.content == After::New
                                               ? NewFile(situation.inode != Inode::Created)
                                               : OldFile());
}

INSTANTIATE_TEST_SUITE_P(Situations, SaveSituationTest,
                         ::testing::Combine(::testing::ValuesIn(kSituations),
                                            ::testing::Values(TemporaryFiles::UnnamedWhereSupported,
                                                              TemporaryFiles::NamedOnly)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).id) +
                                  (std::get<1>(info.param) == TemporaryFiles::NamedOnly
                                       ? "_NamedTemporary"
                                       : "");
                         });

// The other way round: the group's file was loaded, and then a member swaps
// in a link to the player's private file, for the save to overwrite it.
TEST_F(SaveSituationTest, LinkSwappedIntoAGroupDirectoryAfterTheLoadIsNotWritten) {
  if (!m_cast.root) GTEST_SKIP() << "needs root, to give the link and the directory other owners";
  const Scene scene(m_cast);
  scene.Dir("home", Who::Player, 0755);
  scene.File("home/mine.scr", Who::Player, Group::Player, 0600);
  scene.Dir("group", Who::Root, 02775, Group::Shared);
  scene.File("group/Karoblen.scr", Who::Other, Group::Shared, 0664);
  scene.Link("group/planted", "../home/mine.scr", Who::Other);
  scene.Link("home/Karoblen.scr", "../group/Karoblen.scr");
  ASSERT_FALSE(HasFatalFailure());
  const int status = RunAs(m_cast, Who::Player, [] {
    CScoreStore tables;
    tables.LoadScores();
    const bool loaded = NameOf(tables.Entry(0, 0)) == "Old";
    // The directory is not sticky, so any member may rename what is in it.
    if (::rename("../group/planted", "../group/Karoblen.scr") != 0) return kCouldNotReachScene;
    tables.InsertEntry(0, "New", 5, false, false);
    return (tables.SaveScores() ? kSaved : 0) | (loaded ? kLoaded : 0);
  });
  ExpectRanToTheEnd(status, m_scratch.Path());
  EXPECT_EQ(status, kLoaded);
  EXPECT_EQ(ReadFileBytes("home/mine.scr"), OldFile());
}

}  // namespace

namespace {

using StartUpTest = SaveSituationTest;

// Gives what `made` names the name a save's temporary gets beside
// `directory`/Karoblen.scr: an inode number (its own unless `inode` is
// given), then `letters`. Returns the new name.
std::string AsTemporary(const std::string& directory, const std::string& made, const char* letters,
                        ino_t inode = 0) {
  struct stat info {};
  EXPECT_EQ(::lstat((directory + "/" + made).c_str(), &info), 0) << made;
  std::ostringstream name;
  name << directory << "/Karoblen.scr.saving-" << std::hex << (inode ? inode : info.st_ino) << "-"
       << letters;
  EXPECT_EQ(::rename((directory + "/" + made).c_str(), name.str().c_str()), 0) << made;
  return name.str();
}

// Killed saves leave temporaries beside the file the score file leads to;
// start-up removes those it can prove are one, and nothing else.
TEST_F(StartUpTest, RemovesOnlyStaleTemporariesOfItsOwn) {
  const Scene scene(m_cast);
  scene.Dir("home", Who::Player, 0755);
  scene.Dir("shared", Who::Player, 0755);
  scene.File("shared/Karoblen.scr", Who::Player, Group::Player, 0644);
  scene.Link("home/Karoblen.scr", "../shared/Karoblen.scr");
  scene.File("shared/stale", Who::Player, Group::Player, 0644);
  const std::string stale = AsTemporary("shared", "stale", "Ab3dE9");
  if (m_cast.root) {
    scene.File("shared/other", Who::Other, Group::Foreign, 0666);
    AsTemporary("shared", "other", "Other1");
  }
  scene.File("shared/victim", Who::Player, Group::Player, 0644);
  scene.Link("shared/link", "victim");
  AsTemporary("shared", "link", "Link22");
  scene.Dir("shared/dir", Who::Player, 0755);
  AsTemporary("shared", "dir", "Dir333");
  scene.Fifo("shared/fifo");
  AsTemporary("shared", "fifo", "Fifo44");
  scene.File("shared/twice", Who::Player, Group::Player, 0644);
  scene.HardLink("shared/second-name", "shared/twice");
  AsTemporary("shared", "twice", "Hard77");
  scene.File("shared/misnamed", Who::Player, Group::Player, 0644);
  AsTemporary("shared", "misnamed", "Wrong1", 1);
  scene.File("home/beside-the-link", Who::Player, Group::Player, 0644);
  AsTemporary("home", "beside-the-link", "Ab3dE9");
  // A player's own files that only look like temporaries.
  for (const char* lookalike :
       {"shared/Karoblen.scr.saving-backup", "shared/Karoblen.scr.saving-Ab3dE9",
        "shared/Karoblen.scr.backup", "shared/Karoblen.scr.saving-new-Ab3dE9"})
    scene.File(lookalike, Who::Player, Group::Player, 0644);
  // A save under way in another process holds its temporary locked.
  scene.File("shared/held", Who::Player, Group::Player, 0644);
  const int held = ::open("shared/held", O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  AsTemporary("shared", "held", "Held55");
  ASSERT_FALSE(HasFatalFailure());

  auto expectedNames = Listing();
  expectedNames.erase(stale);
  const int status = RunAs(m_cast, Who::Player, [] {
    CScoreStore tables;
    tables.LoadScores();
    return NameOf(tables.Entry(0, 0)) == "Old" ? kLoaded : 0;
  });
  ::close(held);
  ExpectRanToTheEnd(status, m_scratch.Path());
  EXPECT_EQ(status, kLoaded) << "the scores did not load";
  EXPECT_EQ(Listing(), expectedNames);
  EXPECT_EQ(ReadFileBytes("shared/victim"), OldFile());
}

}  // namespace
