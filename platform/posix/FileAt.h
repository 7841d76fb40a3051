// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The POSIX file operations on a name in an open folder, shared by paths (the working folder,
// AT_FDCWD) and by an own folder's files, which pass its check on the way.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "Result.h"

namespace kovar {

struct Trust;

// The ordinary file `name` in the folder `at`, open to read. With `trust`, every folder passed
// and the file itself must pass its check; `shown` names `at` in refusals.
Expected<std::FILE*> OpenOrdinaryAt(int at, const std::string& shown, const std::string& name,
                                    const Trust* trust);

// WriteFileAtomically for `name` in `at`. With `trust`, every folder passed must pass its check,
// a new file never lets its group or others write, and a file replaced loses such a permission
// where the check would refuse it.
Result WriteAtomicallyAt(int at, const std::string& shown, const std::string& name,
                         const std::string& contents, bool executable, const Trust* trust);

// ListMapInfoFiles for the folder `name` in `at`.
Expected<std::vector<std::string>> ListMapInfoFilesAt(int at, const std::string& name);

// HasEntry and PathId for `name` in `at`.
bool HasEntryAt(int at, const std::string& name);
std::optional<FileId> IdAt(int at, const std::string& name);

}  // namespace kovar
