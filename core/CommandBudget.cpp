// Counting what one command runs.
#include "CommandBudget.h"

namespace kovar {

bool CommandBudget::CountLine(std::size_t bytes) {
  // The line's terminator counts as one byte, whichever it was.
  bytes_ += bytes + 1;
  if (++lines_ > kMaxLines || bytes_ > kMaxBytes) spent_ = true;
  return !spent_;
}

}  // namespace kovar
