// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The file operations that read the same on every system, over the per-platform ones.
#include "FileSystem.h"

#include <cerrno>
#include <cstring>

namespace kovar {

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder + PathSeparator() + name;
}

std::string SystemError(int errnum) { return std::strerror(errnum); }

Failure SystemFailure(int errnum) {
  FailureKind kind = FailureKind::System;
  if (errnum == ENOENT || errnum == ENOTDIR) kind = FailureKind::NotFound;
  if (errnum == EISDIR) kind = FailureKind::NotOrdinaryFile;
  if (errnum == EFBIG) kind = FailureKind::TooLarge;
  return Failure(kind, SystemError(errnum), std::error_code(errnum, std::generic_category()));
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

Result InputFile::Reset(const std::string& name) {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  // The system would read such a name only up to the NUL, which is another file than the one named.
  if (name.find('\0') != std::string::npos)
    return Result::Failure(FailureKind::Refused, "the name holds a NUL byte");
  return Result::Ok();
}

Result InputFile::Open(const std::string& path) {
  if (Result reset = Reset(path); reset.failed()) return reset;
  return OpenOrdinaryFile(path);
}

Expected<std::string> ReadFile(const std::string& path, std::size_t limit) {
  InputFile file;
  if (Result opened = file.Open(path); opened.failed()) return opened.failure();
  return ReadOpened(file, limit);
}

Expected<std::string> ReadOpened(InputFile& file, std::size_t limit) {
  std::string contents;
  char chunk[64 * 1024];
  for (;;) {
    errno = 0;
    const std::size_t count = std::fread(chunk, 1, sizeof chunk, file.Get());
    if (count == 0) break;
    if (contents.size() + count > limit) {
      return Failure(FailureKind::TooLarge,
                     "the file is larger than " + std::to_string(limit / (1024 * 1024)) + " MiB");
    }
    contents.append(chunk, count);
  }
  if (std::ferror(file.Get())) return SystemFailure(errno ? errno : EIO);
  return contents;
}

}  // namespace kovar
