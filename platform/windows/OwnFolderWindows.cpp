// The player's own folder on Windows: %APPDATA% lies in the user's profile, which the system's
// access control lists give to that user alone, so the folder is used by its path as it is.
#include "OwnFolder.h"

#include <utility>

namespace kovar {

AccountList SystemAccounts() { return {}; }

// No account is asked about: nobody else shares the profile's folders.
OwnFolder::OwnFolder(std::string path, std::optional<AccountList>) : path_(std::move(path)) {}

OwnFolder::~OwnFolder() = default;

// Never held open: the folder is made by its path when first written to.
Result OwnFolder::Open() { return Result::Ok(); }

}  // namespace kovar
