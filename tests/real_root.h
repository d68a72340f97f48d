// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a test runs as real root, able to hand files to other users. An
// effective uid of 0 is not enough: fakeroot, as a package build runs its
// tests, reports 0 and only pretends that chown works, and so does a user
// namespace that maps no other user. The probe asks the kernel directly,
// past any library that stands in for chown and stat.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace karoblen_test {

inline bool RunsAsRealRoot() {
  if (::geteuid() != 0) return false;
  const char* tmp = std::getenv("TMPDIR");
  std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/karoblen-root-probe-XXXXXX";
  const int fd = ::mkstemp(path.data());
  if (fd < 0) return false;
  ::unlink(path.c_str());
  // Two owners in turn, since handing a file to oneself works for anyone.
  bool handedOver = true;
  for (const unsigned owner : {65534U, 65533U}) {
    struct statx seen {};
    handedOver = handedOver && ::syscall(SYS_fchown, fd, owner, owner) == 0 &&
                 ::syscall(SYS_statx, fd, "", AT_EMPTY_PATH, STATX_UID, &seen) == 0 &&
                 seen.stx_uid == owner;
  }
  ::close(fd);
  return handedOver;
}

// Uid 0 without root's powers, as under fakeroot, which also lets the
// program past permissions that would stop an ordinary user: neither root
// nor an ordinary user, for a test that needs to know which it is.
inline bool RunsAsPretendedRoot() { return ::geteuid() == 0 && !RunsAsRealRoot(); }

}  // namespace karoblen_test
