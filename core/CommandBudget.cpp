// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Counting what one command runs.
#include "CommandBudget.h"

namespace kovar {

bool CommandBudget::CountLine() {
  if (++lines_ > kMaxLines) spent_ = true;
  return !spent_;
}

}  // namespace kovar
