// The launcher's parts, wired together.
#include "Launcher.h"

#include <utility>

namespace kovar {

Launcher::Launcher(std::string appDir, Platform& platform)
    : appDir_(std::move(appDir)),
      report_(state_, platform),
      maps_(appDir_, state_, report_),
      settings_(appDir_, state_, report_),
      interpreter_(appDir_, state_, report_, maps_, settings_),
      startup_(state_, platform, report_, interpreter_, maps_),
      game_(appDir_, state_, platform, report_) {}

}  // namespace kovar
