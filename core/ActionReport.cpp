// Gathering an action's failures and showing them once, in one box.
#include "ActionReport.h"

#include <utility>

namespace kovar {

namespace {

// More failures than this in one box are counted rather than listed.
constexpr std::size_t kMaxListedFailures = 12;

std::string Listed(const std::vector<std::string>& failures, std::size_t first) {
  std::string message;
  const std::size_t count = failures.size() - first;
  for (std::size_t i = 0; i < count && i < kMaxListedFailures; ++i) {
    if (i > 0) message += '\n';
    message += failures[first + i];
  }
  if (count > kMaxListedFailures) {
    message += "\n... and " + std::to_string(count - kMaxListedFailures) + " more failures.";
  }
  return message;
}

}  // namespace

ActionReport::ActionReport(LauncherState& state, DesktopServices& desktop)
    : state_(state), desktop_(desktop) {}

void ActionReport::Fail(std::string message) { failures_.push_back(std::move(message)); }

ActionReport::Action::Action(ActionReport& report)
    : report_(report), before_(report.failures_.size()) {
  ++report_.depth_;
  report_.state_.HoldTextChanges();
}

ActionReport::Action::~Action() {
  if (ended_) return;
  report_.state_.ReleaseTextChanges();
  if (--report_.depth_ == 0) report_.failures_.clear();
}

Result ActionReport::Action::End() {
  if (ended_) return Result::Ok();
  ended_ = true;
  // The windows show the action's outcome before any failure of it is shown.
  report_.state_.ReleaseTextChanges();
  Result result = Failed() ? Result::Failure(Listed(report_.failures_, before_)) : Result::Ok();
  if (--report_.depth_ > 0 || report_.failures_.empty()) return result;
  const std::string message = Listed(report_.failures_, 0);
  report_.failures_.clear();
  report_.desktop_.ShowError(message);
  return result;
}

}  // namespace kovar
