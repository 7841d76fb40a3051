// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The outcome of an operation that can fail: its value, or a failure with the reason a player can
// read. One kind of result for the whole program, so that no caller has to remember which way
// round a flag, an empty text or an out-parameter is meant. `Result` is the kind with no value.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

namespace kovar {

// What kind of failure it is, for a program to test; the text says it to the player.
enum class FailureKind {
  NotFound,         // the file or folder is not there
  TooLarge,         // beyond a bound on size, length or count
  NotOrdinaryFile,  // a folder, a device, a pipe where a file is wanted
  Malformed,        // the file is there but its content cannot be used
  Refused,          // the launcher will not do it: a check, a rule or a bound of work said no
  System,           // the system reported another error
};

// Why an operation failed: its kind, the text a player reads (never empty), and the system's
// error that caused it (an errno value, or on Windows a GetLastError value), which a program can
// test as `code() == std::errc::no_such_file_or_directory`. The code is empty for a failure no
// system call reported, such as a refusal or a bad file.
class Failure {
 public:
  Failure(FailureKind kind, std::string reason, std::error_code code = {})
      : kind_(kind), reason_(std::move(reason)), code_(code) {
    if (reason_.empty()) reason_ = "an unknown failure";
  }
  FailureKind kind() const { return kind_; }
  const std::string& reason() const { return reason_; }
  std::error_code code() const { return code_; }
  // The same failure told in other words, such as a reason set in the message that names its file.
  Failure Reworded(std::string reason) const { return Failure(kind_, std::move(reason), code_); }

 private:
  FailureKind kind_;
  std::string reason_;
  std::error_code code_;
};

template <typename T>
class [[nodiscard]] Expected {
 public:
  Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Expected(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  bool failed() const { return !ok(); }
  // The value; asked of a failed result, it throws std::bad_variant_access.
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  // Why it failed; only for a failed result. Returned as is, it fails the caller the same way.
  const Failure& failure() const { return std::get<1>(state_); }
  const std::string& reason() const { return failure().reason(); }

 private:
  std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Expected<void> {
 public:
  Expected(kovar::Failure failure) : failure_(std::move(failure)) {}

  static Expected Ok() { return Expected(); }
  // `reason` says what failed and why; it must not be empty.
  static Expected Failure(FailureKind kind, std::string reason) {
    return Expected(kovar::Failure(kind, std::move(reason)));
  }

  bool ok() const { return !failure_; }
  bool failed() const { return failure_.has_value(); }
  // Why it failed; only for a failed result.
  const kovar::Failure& failure() const {
    assert(failure_);
    return *failure_;
  }
  const std::string& reason() const { return failure().reason(); }

 private:
  Expected() = default;

  std::optional<kovar::Failure> failure_;
};

using Result = Expected<void>;

}  // namespace kovar
