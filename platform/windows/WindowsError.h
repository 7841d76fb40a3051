// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The system's text for a Windows error, for the Windows implementations of the platform files.
#pragma once

#include "Result.h"

namespace kovar {

// The calling thread's last Windows error as a failure: the system's text for it without its
// final full stop, the error as its code, and the kind the error tells (a missing file or folder
// is not found).
Failure LastWindowsFailure();

}  // namespace kovar
