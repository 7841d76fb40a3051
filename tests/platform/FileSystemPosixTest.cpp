// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The listing of map files as a POSIX system lists a directory: the extension matched exactly,
// hidden files (a dot first, a file named only ".kvx" too) left out.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kovar::test {
namespace {

TEST(MapScan, PosixMatchesTheExtensionExactly) {
  Fixture f;
  f.dir.Write("data/UPPER.KVX", "");
  f.dir.Write("data/.kvx", "");
  f.dir.Write("data/lower.kvx", "");
  f.launcher.FillLists();
  EXPECT_EQ(f.state.List(ListField::MapList), std::vector<std::string>{"lower"});
}

}  // namespace
}  // namespace kovar::test
