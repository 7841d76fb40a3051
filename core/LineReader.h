// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a text file line by line as bytes. A line ends at CR LF, at a lone CR or at a lone LF;
// the last line needs no terminator, and a terminator after it gives no extra empty line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Result.h"

namespace kovar {

// The longest line kept. Far beyond any real setting (a Windows command line ends at 8 KiB), and
// it keeps a file of one endless line from filling the memory and the windows that show it.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

class LineReader {
 public:
  // Takes no more than `maxRead` bytes from the file, however large it is. `file` must not have
  // been read yet.
  explicit LineReader(std::FILE* file, std::size_t maxLine = kMaxLineBytes,
                      std::uint64_t maxRead = std::numeric_limits<std::uint64_t>::max());

  // Takes no more than `maxRead` bytes in all from now on; what was taken already stays.
  void LimitTo(std::uint64_t maxRead) { maxRead_ = maxRead; }

  // The next line, without its terminator; none at the end of the file. A line longer than the
  // limit is read to its end but not kept: it fails as too large, and the next call reads the line
  // after it. Once `maxRead` bytes have been taken it fails as refused (a line they end part-way
  // is dropped; the file may hold more), and once a read failed it fails as a system failure
  // with the system's error; so does every later call then.
  Expected<std::optional<std::string>> Next();

  // The bytes taken from the file so far, those read ahead of the lines returned included.
  std::uint64_t Read() const { return read_; }

 private:
  bool Fill();
  void Append(std::string& line, const char* begin, std::size_t count);
  // The line read, or why it cannot be had.
  Expected<std::optional<std::string>> Ended(std::string line, bool started) const;

  std::FILE* file_;
  std::size_t maxLine_;
  std::uint64_t maxRead_;
  std::uint64_t read_ = 0;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  // Where the next CR in the buffer lies (end_ when there is none). Kept between lines, so that
  // a file without CRs is searched for one once per buffer rather than once per line.
  std::size_t nextCr_ = 0;
  bool crKnown_ = false;
  bool atEnd_ = false;
  bool skipLineFeed_ = false;
  bool tooLong_ = false;
  bool cut_ = false;
  // Ok until a read fails; then why, with the system's error.
  Result status_ = Result::Ok();
};

}  // namespace kovar
