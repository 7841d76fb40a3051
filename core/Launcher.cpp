// The launcher's parts, wired together.
#include "Launcher.h"

#include <utility>

namespace kovar {

Launcher::Launcher(FileLocations files, Platform& platform, MapListing listing)
    : files_(std::move(files)),
      report_(state_, platform),
      maps_(files_, state_, report_),
      settings_(files_, state_, report_),
      interpreter_(files_, state_, report_, maps_, settings_),
      startup_(files_, state_, platform, report_, interpreter_, maps_),
      game_(files_, state_, platform, report_) {
  if (listing == MapListing::Ahead) maps_.StartListing();
}

}  // namespace kovar
