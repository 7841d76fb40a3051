// Counting what one command runs.
#include "CommandBudget.h"

namespace kovar {

bool CommandBudget::CountLine() {
  if (++lines_ > kMaxLines) spent_ = true;
  return !spent_;
}

}  // namespace kovar
