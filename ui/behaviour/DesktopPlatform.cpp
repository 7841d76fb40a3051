// The error box and its fallback on standard error.
#include "DesktopPlatform.h"

#include <cstdio>

#include "WindowDescription.h"

namespace kovar {

void DesktopPlatform::ShowError(const std::string& message) {
  if (!toStandardError_) {
    ShowErrorBox(message);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", kApplicationName, message.c_str());
  std::fflush(stderr);
}

}  // namespace kovar
