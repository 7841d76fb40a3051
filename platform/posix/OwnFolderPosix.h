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

// An open folder and a name in it.
struct Place {
  UniqueFd folder;
  std::string name;
};

// The place of the file `path` names once its symbolic links are followed, for replacing the file
// while keeping the links. Under an own folder each folder passed must be the player's own.
Expected<Place> PlaceToWrite(const std::string& path);

}  // namespace kovar
