// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Buffered line reading with CR LF, CR and LF line ends.
#include "LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "FileSystem.h"

namespace kovar {

LineReader::LineReader(std::FILE* file, std::size_t maxLine, std::uint64_t maxRead)
    : file_(file), maxLine_(maxLine), maxRead_(maxRead), buffer_(64 * 1024) {
  // The reader's own buffer is the only one: the C library's would read past `maxRead`.
  (void)std::setvbuf(file_, nullptr, _IONBF, 0);
}

bool LineReader::Fill() {
  if (atEnd_ || cut_ || status_.failed()) return false;
  pos_ = 0;
  end_ = 0;
  crKnown_ = false;
  if (read_ >= maxRead_) {
    cut_ = true;
    return false;
  }
  errno = 0;
  end_ = std::fread(
      buffer_.data(), 1,
      static_cast<std::size_t>(std::min<std::uint64_t>(buffer_.size(), maxRead_ - read_)), file_);
  read_ += end_;
  if (end_ == 0) {
    if (std::ferror(file_)) {
      // Always of the system's kind, whatever the error, so that it is never taken for a line
      // too long or the end of what may be read.
      const int error = errno != 0 ? errno : EIO;
      status_ = Failure(FailureKind::System, SystemError(error),
                        std::error_code(error, std::generic_category()));
    } else {
      atEnd_ = true;
    }
    return false;
  }
  return true;
}

Expected<std::optional<std::string>> LineReader::Next() {
  std::string line;
  tooLong_ = false;
  bool started = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) return Ended(std::move(line), started);
    if (skipLineFeed_) {
      skipLineFeed_ = false;
      if (buffer_[pos_] == '\n' && ++pos_ == end_) continue;
    }
    const char* begin = buffer_.data() + pos_;
    const std::size_t count = end_ - pos_;
    if (!crKnown_ || nextCr_ < pos_) {
      const void* cr = std::memchr(begin, '\r', count);
      nextCr_ = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - buffer_.data()) : end_;
      crKnown_ = true;
    }
    const char* cr = nextCr_ < end_ ? buffer_.data() + nextCr_ : nullptr;
    const char* lf = static_cast<const char*>(std::memchr(begin, '\n', nextCr_ - pos_));
    const char* stop = lf ? lf : cr;
    if (stop) {
      Append(line, begin, static_cast<std::size_t>(stop - begin));
      pos_ += static_cast<std::size_t>(stop - begin) + 1;
      skipLineFeed_ = (*stop == '\r');
      return Ended(std::move(line), true);
    }
    Append(line, begin, count);
    pos_ = end_;
    started = true;
  }
}

Expected<std::optional<std::string>> LineReader::Ended(std::string line, bool started) const {
  if (status_.failed()) return status_.failure();
  if (cut_) {
    return Failure(FailureKind::Refused,
                   "reading stopped after " + std::to_string(maxRead_) + " bytes");
  }
  if (tooLong_) {
    return Failure(FailureKind::TooLarge,
                   "the line is longer than " + std::to_string(maxLine_) + " bytes");
  }
  if (!started) return std::optional<std::string>();
  return std::optional<std::string>(std::move(line));
}

void LineReader::Append(std::string& line, const char* begin, std::size_t count) {
  if (tooLong_) return;
  if (count > maxLine_ - line.size()) {
    tooLong_ = true;
    std::string().swap(line);
    return;
  }
  line.append(begin, count);
}

}  // namespace kovar
