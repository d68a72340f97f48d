// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The temporary file a save writes before it takes the score file's name.
// Where the file system allows, it has no name at all until it is complete
// (O_TMPFILE), so a crash while writing leaves nothing behind. Otherwise, and
// for the moment between taking a temporary name and the final rename, it is
// called "<target>.saving-<inode>-XXXXXX", the file's own inode number in
// hexadecimal and six random letters: a name no player gives a file by
// chance, and one whose number proves which file it was given to. Such names
// left by a killed save are removed at the next start-up. A save holds an
// exclusive flock on its temporary for as long as the file has a name, so
// that the removal passes over the temporaries of a save still under way.
#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

#include "scores/file_descriptor.h"

enum class TemporaryFiles {
  UnnamedWhereSupported,
  NamedOnly,  // what file systems without O_TMPFILE get; tests ask for it
};

struct SaveTemporary {
  CFileDescriptor file;
  std::string name;  // empty while the file has no name
};

// A new, locked, empty temporary in `directory` for `targetName`. `mode` is
// handed to the kernel, which applies the umask or the directory's default
// ACL as for any new file. Nothing on failure, with errno set.
std::optional<SaveTemporary> CreateSaveTemporary(int directory, const std::string& targetName,
                                                 mode_t mode, TemporaryFiles kind);

// Gives the complete temporary the name `targetName` when nothing has it yet;
// false with errno EEXIST when something does.
bool PublishAsNewFile(int directory, SaveTemporary& temporary, const std::string& targetName);
// Gives an unnamed temporary its provable name, the moment before it is
// renamed; nothing for a named one.
bool NameSaveTemporary(int directory, SaveTemporary& temporary, const std::string& targetName);
// Puts the complete temporary in place of the file named `targetName`.
bool PublishOverFile(int directory, SaveTemporary& temporary, const std::string& targetName);
// Removes the temporary's name, if it has one; errno is kept.
void DiscardSaveTemporary(int directory, SaveTemporary& temporary);

// The inode number a temporary's name claims, or nothing when `candidate` is
// not "<targetName>.saving-<hex inode>-" followed by six letters or digits.
std::optional<ino_t> SaveTemporaryInode(std::string_view candidate, std::string_view targetName);
// Removes the temporaries that killed saves left beside the file `path` leads
// to, and only what proves to be one: a name of the pattern above given to
// the very file it names by number, a regular file of this user with that one
// name (or with one more, the score file's own or its first name, when a
// kill came between a link and an unlink), reached without a link, and not
// held by a running save. Where temporaries must be named from the start,
// their first name is "<target>.saving-new-XXXXXX" for the instant before
// its inode is known; a file of this user with that one name and nothing in
// it is removed too, as nothing can be lost with it.
void RemoveStaleSaveTemporaries(const char* path);
