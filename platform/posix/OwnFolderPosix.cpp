// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's own folder on Linux: checked from the root, held open by its descriptor, and its
// files reached through it, each folder passed and each file read judged on the way.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileAt.h"
#include "OwnFolder.h"
#include "Trust.h"
#include "Walk.h"

namespace kovar {

namespace {

Distrust Refusal(Distrust::Kind kind, const std::string& path) {
  Distrust verdict;
  verdict.kind = kind;
  verdict.subject = path;
  return verdict;
}

// The folder at `path` cannot be looked at, for the system's reason `why`.
Distrust Unreachable(const std::string& path, const Failure& why) {
  Distrust verdict = Refusal(Distrust::Kind::Unreachable, path);
  verdict.detail = why.reason();
  verdict.error = why.code();
  return verdict;
}

// The open folder at `path` when it is the player's own; none when it is not there.
Expected<std::optional<UniqueFd>> Check(const std::string& path, const Trust& trust) {
  using Kind = Distrust::Kind;
  const Expected<Place> walked = Walk(AT_FDCWD, {}, path, false, &trust);
  if (walked.failed()) {
    const std::error_code code = walked.failure().code();
    // Not there yet (a file in place of a folder above it is reported when the folder is made).
    if (code == std::errc::no_such_file_or_directory || code == std::errc::not_a_directory) {
      return std::optional<UniqueFd>();
    }
    if (code) return trust.Refuse(Unreachable(path, walked.failure()));
    return walked.failure();
  }
  const auto& [holder, name] = walked.value();
  UniqueFd folder(
      ::openat(holder.Get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info;
  if (folder.Get() < 0) {
    const int error = errno;
    if (error == ENOENT) return std::optional<UniqueFd>();
    const bool link = ::fstatat(holder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                      S_ISLNK(info.st_mode);
    if (link) return trust.Refuse(Refusal(Kind::Link, path));
    if (error == ENOTDIR) return trust.Refuse(Refusal(Kind::NotFolder, path));
    return trust.Refuse(Unreachable(path, SystemFailure(error)));
  }
  if (::fstat(folder.Get(), &info) != 0)
    return trust.Refuse(Unreachable(path, SystemFailure(errno)));
  if (Result own = trust.Judge(folder.Get(), info, path, false); own.failed()) {
    return own.failure();
  }
  return std::optional<UniqueFd>(std::move(folder));
}

}  // namespace

OwnFolder::OwnFolder(std::string path, DistrustWording words, std::optional<AccountList> accounts)
    : path_(std::move(path)), words_(std::move(words)), accounts_(std::move(accounts)) {}

OwnFolder::~OwnFolder() {
  if (fd_ >= 0) ::close(fd_);
}

bool OwnFolder::IsOpen() const { return fd_ >= 0; }

Result OwnFolder::Open() {
  if (IsOpen()) return Result::Ok();
  const Trust trust{accounts_, words_};
  Expected<std::optional<UniqueFd>> checked = Check(path_, trust);
  if (checked.failed()) return checked.failure();
  if (checked.value()) fd_ = checked.value()->Release();
  return Result::Ok();
}

Result OwnFolder::Make() {
  const Trust trust{accounts_, words_};
  return MakeFolders(path_, &trust);
}

Result OwnFolder::OpenFile(const std::string& name, InputFile& file) const {
  if (Result reset = file.Reset(name); reset.failed()) return reset;
  if (!IsOpen()) return SystemFailure(ENOENT);
  const Trust trust{accounts_, words_};
  Expected<std::FILE*> opened = OpenOrdinaryAt(fd_, path_, name, &trust);
  if (opened.failed()) return opened.failure();
  file.file_ = opened.value();
  return Result::Ok();
}

Expected<std::string> OwnFolder::Read(const std::string& name, std::size_t limit) const {
  InputFile file;
  if (Result opened = OpenFile(name, file); opened.failed()) return opened.failure();
  return ReadOpened(file, limit);
}

Result OwnFolder::WriteAtomically(const std::string& name, const std::string& contents,
                                  bool executable) const {
  if (!IsOpen()) return SystemFailure(ENOENT);
  const Trust trust{accounts_, words_};
  return WriteAtomicallyAt(fd_, path_, name, contents, executable, &trust);
}

Expected<std::vector<std::string>> OwnFolder::ListMapInfoFiles(const std::string& folder) const {
  if (!IsOpen()) return std::vector<std::string>();
  return ListMapInfoFilesAt(fd_, folder);
}

bool OwnFolder::HasEntry(const std::string& name) const {
  return IsOpen() && HasEntryAt(fd_, name);
}

std::optional<FileId> OwnFolder::Id(const std::string& name) const {
  if (!IsOpen()) return std::nullopt;
  return IdAt(fd_, name);
}

}  // namespace kovar
