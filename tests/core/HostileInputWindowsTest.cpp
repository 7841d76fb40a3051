// What Windows answers for the hostile-input tests.
#include <gtest/gtest.h>

#include "HostileInput.h"

namespace kovar::test {

// Windows finds no such path.
const char* const kNotADirectory = "No such file";

// Nothing beyond the shared cases is tried on Windows.
void RefuseSystemOnlyPreviews(Fixture&, const std::function<void(const std::string& why)>&) {}

std::vector<HostileEdge> SystemOnlyEdges() {
  return {{"an info file with a name Windows keeps for a device", [](Fixture& f) {
             EXPECT_TRUE(f.launcher.RunCommand("map CON").failed());
             ASSERT_EQ(f.desktop.errors.size(), 1u);
             EXPECT_NE(f.desktop.errors[0].find("the name is a device's"), std::string::npos)
                 << f.desktop.errors[0];
           }}};
}

}  // namespace kovar::test
