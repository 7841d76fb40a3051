// StartGame as Windows runs the launch script: by its extension, so any file written can run.
#include <string>

#include "StartGameTest.h"

namespace kovar::test {

void ExpectRunnableScript(const std::string&) {}

}  // namespace kovar::test
