// What Windows answers for the hostile-input tests.
#include "HostileInput.h"

namespace kovar::test {

// Windows finds no such path.
const char* const kNotADirectory = "No such file";

// Nothing beyond the shared cases is tried on Windows.
void RefuseSystemOnlyPreviews(Fixture&, const std::function<void(const std::string& why)>&) {}

}  // namespace kovar::test
