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
