// How the POSIX file operations reach a name: by its path, or, for a name under an own folder,
// through that open folder, each folder passed and each file read checked as the player's own.
#pragma once

#include <dirent.h>
#include <sys/stat.h>

#include <string>

#include "Result.h"

namespace kovar {

// A descriptor closed when it goes out of scope.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(other.Release()) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept;
  ~UniqueFd();
  int Get() const { return fd_; }
  int Release();

 private:
  int fd_ = -1;
};

// open(2) of `path` with `flags` (no O_CREAT). Under an own folder the file must also be one that
// nobody else can change.
Expected<UniqueFd> OpenToRead(const std::string& path, int flags);

// stat(2), or lstat(2) when `follow` is false; 0, or -1 with errno set.
int StatPath(const std::string& path, struct stat& info, bool follow);

// opendir(3); nullptr with errno set.
DIR* OpenListing(const std::string& path);

// An open folder and a name in it; `own` when it was reached through an own folder.
struct Place {
  UniqueFd folder;
  std::string name;
  bool own = false;
};

// The place of the file `path` names once its symbolic links are followed, for replacing the file
// while keeping the links. Under an own folder each folder passed must be the player's own.
Expected<Place> PlaceToWrite(const std::string& path);

// Makes the folder `path` and its missing parents, each private to the player (mode 0700) and made
// in the open folder that holds it, so that a link put on the way meanwhile is followed only as the
// check follows it: for an own folder, only the player's or root's, into folders that are the
// player's own. A failure names `path`, the folder on the way that could not be made, and why.
Result MakeFolders(const std::string& path);

// The permissions for the file open as `fd`, just created for `path`: `wanted`, less, under an own
// folder, the write permissions for its group and for others where its check would refuse them (an
// access control list inherited from the folder among them: the group's bits are its mask). Judged
// before they are given, so that nobody else could open the file for writing meanwhile. A failure
// says why others could change it even so.
Expected<mode_t> OwnMode(const std::string& path, int fd, mode_t wanted);

}  // namespace kovar
