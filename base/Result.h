// The outcome of an operation that can fail: its value, or a failure with the reason a player can
// read. One kind of result for the whole program, so that no caller has to remember which way
// round a flag, an empty text or an out-parameter is meant. `Result` is the kind with no value.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace kovar {

// Why an operation failed; never empty.
class Failure {
 public:
  explicit Failure(std::string reason) : reason_(std::move(reason)) {
    if (reason_.empty()) reason_ = "an unknown failure";
  }
  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
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
  Expected(kovar::Failure failure) : failure_(failure.reason()), failed_(true) {}

  static Expected Ok() { return Expected(); }
  // `reason` says what failed and why; it must not be empty.
  static Expected Failure(std::string reason) {
    return Expected(kovar::Failure(std::move(reason)));
  }

  bool ok() const { return !failed_; }
  bool failed() const { return failed_; }
  kovar::Failure failure() const {
    assert(failed_);
    return kovar::Failure(failure_);
  }
  // Why it failed; only for a failed result.
  const std::string& reason() const {
    assert(failed_);
    return failure_;
  }

 private:
  Expected() = default;

  std::string failure_;
  bool failed_ = false;
};

using Result = Expected<void>;

}  // namespace kovar
