// Reads a text file line by line as bytes. A line ends at CR LF, at a lone CR or at a lone LF;
// the last line needs no terminator, and a terminator after it gives no extra empty line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace kovar {

class LineReader {
 public:
  explicit LineReader(std::FILE* file);

  // Reads the next line into `line`, without its terminator. False at the end of the file or
  // when reading failed (then Error() tells why).
  bool Next(std::string& line);

  // The errno of a failed read, 0 when reading has not failed.
  int Error() const { return error_; }

 private:
  bool Fill();

  std::FILE* file_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
  bool skipLineFeed_ = false;
  int error_ = 0;
};

}  // namespace kovar
