// File naming under the application directory.
#include "Paths.h"

#include <algorithm>

namespace kovar {

std::string AppPath(const std::string& appDir, const std::string& relative) {
  return appDir + kSeparator + relative;
}

std::string ExecPath(const std::string& appDir, const std::string& argument) {
  std::string relative = argument;
  if constexpr (kSeparator != '\\')
    std::replace(relative.begin(), relative.end(), '\\', kSeparator);
  return AppPath(appDir, relative);
}

}  // namespace kovar
