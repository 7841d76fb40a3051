// Counting what one command runs.
#include "CommandBudget.h"

namespace kovar {

bool CommandBudget::CountLine(std::uint64_t bytes) {
  bytes_ += bytes;
  if (++lines_ > kMaxLines || bytes_ > kMaxBytes) spent_ = true;
  return !spent_;
}

}  // namespace kovar
