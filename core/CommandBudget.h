// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The bounds on what one top-level command may run: how deep command files nest, how many it
// opens, and how many lines and bytes they hold in all. Far beyond any real start script, well
// inside the stack and open-file limits, and small enough that the log stays in memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kovar {

class CommandBudget {
 public:
  static constexpr std::size_t kMaxDepth = 64;
  static constexpr std::size_t kMaxFiles = 4096;
  // Ten times the longest command file the launcher is measured with.
  static constexpr std::size_t kMaxLines = 1000000;
  static constexpr std::size_t kMaxBytes = 64 * 1024 * 1024;

  // A new top-level command starts with the whole budget.
  void Reset() { *this = CommandBudget(); }

  // True when another file may not be opened at nesting `depth`, or no more files at all.
  bool TooDeep(std::size_t depth) const { return depth >= kMaxDepth; }
  bool OutOfFiles() const { return files_ >= kMaxFiles; }
  void CountFile() { ++files_; }

  // Counts one more line; false, and spent from then on, when it is over the budget.
  bool CountLine();
  // Counts bytes read from any of the command's files, nested ones included, as they are read:
  // a file opened later may take only what those still open have left.
  void CountRead(std::uint64_t bytes) { bytes_ += bytes; }
  // The bytes a file may still be read for: what is left, and one byte more, which tells that the
  // files go beyond the budget.
  std::uint64_t ReadAllowance() const {
    return spent_ || bytes_ > kMaxBytes ? 0 : kMaxBytes + 1 - bytes_;
  }
  // A file went on past what was left.
  void Spend() { spent_ = true; }
  bool Spent() const { return spent_; }

 private:
  std::size_t files_ = 0;
  std::size_t lines_ = 0;
  std::uint64_t bytes_ = 0;
  bool spent_ = false;
};

}  // namespace kovar
