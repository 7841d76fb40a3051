// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the running Windows offers beyond Windows XP, asked when the program runs: one program
// starts on XP and uses a newer facility wherever the system has it. Windows builds only.
#pragma once

#include <windows.h>

namespace kovar {

// Whether the system may be asked for the facility `name` (a function or a flag, by its own
// name). False where the environment variable KOVAR_WITHOUT, a comma-separated list read once,
// names it: that runs the older system's path on a newer one, for the tests and by hand.
bool MayUseFacility(const char* name);

// The function `name` of the loaded system library `library`, or null where this Windows lacks
// it or KOVAR_WITHOUT names it. `Function` is the caller's own type for it: the XP declarations
// the sources build with do not declare the newer functions.
template <typename Function>
Function* SystemFunction(const char* library, const char* name) {
  if (!MayUseFacility(name)) return nullptr;
  HMODULE module = GetModuleHandleA(library);
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace kovar
