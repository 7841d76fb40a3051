// How the launcher names its files: everything lies under the application directory.
#pragma once

#include <string>

namespace kovar {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

// The application directory joined with a relative name.
std::string AppPath(const std::string& appDir, const std::string& relative);

// The file named by an `exec` argument. On Linux a backslash is read as a directory separator, so
// that start scripts written on Windows keep working.
std::string ExecPath(const std::string& appDir, const std::string& argument);

}  // namespace kovar
