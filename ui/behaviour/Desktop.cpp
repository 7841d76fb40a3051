// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The modal boxes, counted while open, and the error box's fallback on standard error.
#include "Desktop.h"

#include <cstdio>
#include <utility>

#include "OneLine.h"
#include "ScriptStarter.h"
#include "WindowDescription.h"

namespace kovar {

void Desktop::ShowError(const std::string& message) {
  if (!toStandardError_) {
    OpenBox open(*this);
    ShowErrorBox(message);
    return;
  }
  std::fprintf(stderr, "%s: %s\n", kApplicationName, message.c_str());
  std::fflush(stderr);
}

InputAnswer Desktop::InputBox(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
  OpenBox open(*this);
  InputAnswer answer = ShowPrompt(prompt, title, defaultText);
  answer.text = OneLine(std::move(answer.text));
  return answer;
}

Result Desktop::StartScript(const std::string& scriptPath, const ScriptTarget& target) {
  return StartScriptDetached(scriptPath, target);
}

}  // namespace kovar
