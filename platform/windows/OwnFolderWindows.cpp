// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's own folder on Windows: %APPDATA% lies in the user's profile, which the system's
// access control lists give to that user alone, so the folder is used by its path as it is, and
// its files by their paths in it.
#include "OwnFolder.h"

#include <utility>

namespace kovar {

AccountList SystemAccounts() { return {}; }

// No account is asked about and nothing is refused: nobody else shares the profile's folders.
OwnFolder::OwnFolder(std::string path, DistrustWording words, std::optional<AccountList> accounts)
    : path_(std::move(path)), words_(std::move(words)), accounts_(std::move(accounts)) {}

OwnFolder::~OwnFolder() = default;

bool OwnFolder::IsOpen() const { return false; }

Result OwnFolder::Open() { return Result::Ok(); }

Result OwnFolder::Make() { return MakePrivateFolders(path_); }

Result OwnFolder::OpenFile(const std::string& name, InputFile& file) const {
  return file.Open(JoinPath(path_, name));
}

Expected<std::string> OwnFolder::Read(const std::string& name, std::size_t limit) const {
  return ReadFile(JoinPath(path_, name), limit);
}

Result OwnFolder::WriteAtomically(const std::string& name, const std::string& contents,
                                  bool executable) const {
  return WriteFileAtomically(JoinPath(path_, name), contents, executable);
}

Expected<std::vector<std::string>> OwnFolder::ListMapInfoFiles(const std::string& folder) const {
  return kovar::ListMapInfoFiles(JoinPath(path_, folder));
}

bool OwnFolder::HasEntry(const std::string& name) const {
  return kovar::HasEntry(JoinPath(path_, name));
}

std::optional<FileId> OwnFolder::Id(const std::string& name) const {
  return PathId(JoinPath(path_, name));
}

}  // namespace kovar
