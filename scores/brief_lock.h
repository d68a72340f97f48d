// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Games that share a score file take turns through an flock on the file
// itself: shared to load it, exclusive to read, merge and write it back. No
// lock file is needed, so a directory the player may not change (where the
// file is rewritten in place) works as well as one where it is replaced.

// Takes the flock `operation` (LOCK_SH or LOCK_EX) on `fd`, waiting about a
// second at most for another game to finish its save. False when the lock
// could not be had; the caller then goes on without it, since a game that
// holds on to a lock (or a neighbour who takes one on a file he may read)
// must not cost this player the scores.
bool LockBriefly(int fd, int operation);
