// The outcome of an operation that can fail: success, or a failure with the reason a player can
// read. One kind of result for the whole program, so that no caller has to remember which way
// round a flag or an empty text is meant.
#pragma once

#include <string>
#include <utility>

namespace kovar {

class [[nodiscard]] Result {
 public:
  static Result Ok() { return Result(); }
  // `reason` says what failed and why; it must not be empty.
  static Result Failure(std::string reason) { return Result(std::move(reason)); }

  bool ok() const { return !failed_; }
  bool failed() const { return failed_; }
  // Why it failed; empty text for success.
  const std::string& reason() const { return reason_; }

 private:
  Result() = default;
  explicit Result(std::string reason) : failed_(true), reason_(std::move(reason)) {
    if (reason_.empty()) reason_ = "an unknown failure";
  }

  bool failed_ = false;
  std::string reason_;
};

}  // namespace kovar
