// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A file or folder the launcher reads or writes, named for the player and, when it lies in the
// player's own folder, by its name there.
#pragma once

#include <string>

namespace kovar {

// `path` names it for the player; one in the player's own folder is reached through that folder,
// by `ownName` in it (FileLocations.h).
struct LocatedFile {
  std::string path;
  std::string ownName;  // empty when it lies elsewhere
};

}  // namespace kovar
