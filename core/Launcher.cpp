// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's parts, wired together.
#include "Launcher.h"

#include <utility>

namespace kovar {

Launcher::Launcher(FileLocations files, DesktopServices& desktop, MapListing listing)
    : files_(std::move(files)),
      report_(state_, desktop),
      maps_(files_, state_, report_),
      settings_(files_, state_, report_),
      interpreter_(files_, state_, report_, maps_, settings_),
      startup_(files_, state_, desktop, report_, interpreter_, maps_),
      game_(files_, state_, desktop, report_) {
  if (listing == MapListing::Ahead) maps_.StartListing();
}

}  // namespace kovar
