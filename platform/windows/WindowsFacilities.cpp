// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The facilities a run is told to do without (KOVAR_WITHOUT), read once.
#include "WindowsFacilities.h"

#include <string>

namespace kovar {

bool MayUseFacility(const char* name) {
  static const std::string without = [] {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA("KOVAR_WITHOUT", value, sizeof value);
    return length > 0 && length < sizeof value ? "," + std::string(value, length) + ","
                                               : std::string();
  }();
  return without.find("," + std::string(name) + ",") == std::string::npos;
}

}  // namespace kovar
