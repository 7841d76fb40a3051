// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Gathering an action's failures and showing them once, in one box.
#include "ActionReport.h"

#include <utility>

namespace kovar {

namespace {

// More failures than this in one box are counted rather than listed.
constexpr std::size_t kMaxListedFailures = 12;

}  // namespace

ActionReport::ActionReport(LauncherState& state, DesktopServices& desktop)
    : state_(state), desktop_(desktop) {}

std::string ActionReport::Listed(std::size_t first) const {
  std::string message;
  for (std::size_t i = first; i < listed_.size(); ++i) {
    if (i > first) message += '\n';
    message += listed_[i].reason();
  }
  const std::size_t shown = listed_.size() > first ? listed_.size() - first : 0;
  if (failures_ - first > shown) {
    if (shown > 0) message += '\n';
    message += "... and " + std::to_string(failures_ - first - shown) + " more failures.";
  }
  return message;
}

void ActionReport::Clear() {
  listed_.clear();
  latest_.reset();
  failures_ = 0;
}

void ActionReport::Fail(Failure failure) {
  if (listed_.size() < kMaxListedFailures) listed_.push_back(failure);
  latest_ = std::move(failure);
  ++failures_;
}

ActionReport::Action::Action(ActionReport& report) : report_(report), before_(report.failures_) {
  ++report_.depth_;
  report_.state_.HoldTextChanges();
}

ActionReport::Action::~Action() {
  if (ended_) return;
  report_.state_.ReleaseTextChanges();
  if (--report_.depth_ == 0) report_.Clear();
}

Result ActionReport::Action::End() {
  if (ended_) return Result::Ok();
  ended_ = true;
  // The windows show the action's outcome before any failure of it is shown.
  report_.state_.ReleaseTextChanges();
  Result result = Result::Ok();
  if (Failed()) {
    const Failure& first =
        before_ < report_.listed_.size() ? report_.listed_[before_] : *report_.latest_;
    result = first.Reworded(report_.Listed(before_));
  }
  if (--report_.depth_ > 0 || report_.failures_ == 0) return result;
  const std::string message = report_.Listed(0);
  report_.Clear();
  report_.desktop_.ShowError(message);
  return result;
}

}  // namespace kovar
