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
    message += listed_[i];
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
  failures_ = 0;
}

void ActionReport::Fail(std::string message) {
  if (listed_.size() < kMaxListedFailures) listed_.push_back(std::move(message));
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
  Result result = Failed() ? Result::Failure(report_.Listed(before_)) : Result::Ok();
  if (--report_.depth_ > 0 || report_.failures_ == 0) return result;
  const std::string message = report_.Listed(0);
  report_.Clear();
  report_.desktop_.ShowError(message);
  return result;
}

}  // namespace kovar
