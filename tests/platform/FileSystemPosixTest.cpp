// The listing of map files as a POSIX system lists a directory: the extension matched exactly,
// and a file named only ".kvx" is a map with an empty name.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kovar::test {
namespace {

TEST(MapScan, PosixMatchesTheExtensionExactly) {
  Fixture f;
  f.dir.Write("data/UPPER.KVX", "");
  f.dir.Write("data/.kvx", "");
  f.launcher.FillLists();
  EXPECT_EQ(f.state.List(ListField::MapList), std::vector<std::string>{""});
}

}  // namespace
}  // namespace kovar::test
