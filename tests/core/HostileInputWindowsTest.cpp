// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What Windows answers for the hostile-input tests.
#include <gtest/gtest.h>

#include "HostileInput.h"

namespace kovar::test {

// Nothing beyond the shared cases is tried on Windows.
void RefuseSystemOnlyPreviews(Fixture&, const std::function<void(const std::string& why)>&) {}

std::vector<HostileEdge> SystemOnlyEdges() {
  return {{"an info file with a name Windows keeps for a device", [](Fixture& f) {
             const Result ran = f.launcher.RunCommand("map CON");
             ASSERT_TRUE(ran.failed());
             EXPECT_EQ(ran.failure().kind(), FailureKind::NotOrdinaryFile);
             EXPECT_EQ(f.desktop.errors.size(), 1u);
           }}};
}

}  // namespace kovar::test
