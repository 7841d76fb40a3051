// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations the launcher needs, with the operating system's reason on failure. File
// names are bytes, handed to the system as they are (on Windows in the ANSI code page). One
// interface; FileSystemPosix.cpp and FileSystemWindows.cpp implement it, chosen by the build.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "Result.h"

namespace kovar {

// The character between the folders of a path: '/', or '\\' on Windows.
char PathSeparator();
// `folder` and the relative `name` in it.
std::string JoinPath(const std::string& folder, const std::string& name);

// The operating system's text for an errno value.
std::string SystemError(int errnum);
// A failure with that text and the errno value as its code, of the kind the value tells (a
// missing file or folder is not found, a folder is not an ordinary file).
Failure SystemFailure(int errnum);

// Identifies a file independently of how its path is spelled.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t index = 0;
  bool operator==(const FileId&) const = default;
};

// A file opened for reading as bytes, closed when it goes out of scope.
class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Opens `path`; on failure leaves the file closed. Only ordinary files are opened: a
  // directory, a pipe or a device is refused.
  Result Open(const std::string& path);
  std::FILE* Get() const { return file_; }
  // The identity of the open file; none when the system cannot tell.
  std::optional<FileId> Id() const;

 private:
  // Reaches a file of its folder through it.
  friend class OwnFolder;
  // Closes the file; fails for a name with a NUL byte, which the system would read only up to
  // the NUL, another file than the one named.
  Result Reset(const std::string& name);
  // The system's part of Open, given a closed file and a name without NUL bytes.
  Result OpenOrdinaryFile(const std::string& path);

  std::FILE* file_ = nullptr;
};

// The bytes of a whole file of at most `limit` bytes.
Expected<std::string> ReadFile(const std::string& path, std::size_t limit);
// The rest of the bytes of the open `file`, at most `limit` of them.
Expected<std::string> ReadOpened(InputFile& file, std::size_t limit);

// Replaces `path` by `contents` atomically: a temporary file in the same directory, flushed to
// disk, then renamed over the old file, so that a failure leaves the old file whole. A symbolic
// link stays a link and its target is replaced; a file that exists keeps its permissions, and a
// new one gets the ones the user's file creation mask allows (executable ones when asked).
Result WriteFileAtomically(const std::string& path, const std::string& contents,
                           bool executable = false);

// True when `path` names an ordinary file (following links).
bool IsRegularFile(const std::string& path);

// The names of the ordinary files in `directory` that end in ".kvx", in the order of the listing:
// on Windows those its listing matches for "*.kvx" (in any case, not hidden or system files), on
// Linux exactly, less the hidden ones (starting with a dot). A missing directory lists nothing;
// one that cannot be listed (no permission, a path too long) fails with the system's reason.
Expected<std::vector<std::string>> ListMapInfoFiles(const std::string& directory);

// `name` as the system's file names compare: unchanged on Linux; upper-cased in the ANSI code page
// on Windows, whose file names ignore case. Two names with the same key name the same file.
std::string FileNameKey(std::string name);

// The identity of the file `path` names; none when the system cannot tell.
std::optional<FileId> PathId(const std::string& path);

// True when a file can be created in `directory`: creates and removes a probe file, since
// permission bits do not tell (access checks on Windows ignore a folder's permissions).
bool CanCreateFilesIn(const std::string& directory);
// False only when nothing lies at `path`: an entry that exists, and one that cannot be looked at
// for another reason than its absence, count as there.
bool HasEntry(const std::string& path);
// Creates `path` and its missing parents, each one private to the user. A failure names the
// folder that could not be made, and why. On Linux each is made in its open parent.
Result MakePrivateFolders(const std::string& path);

}  // namespace kovar
