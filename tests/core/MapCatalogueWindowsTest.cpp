// The map scan as Windows lists a directory: any case, no hidden files, ANSI code page names; a
// player's own map replaces an installed one whose name differs only in case.
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "FileLocations.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

using Names = std::vector<std::string>;

TEST(MapScan, WindowsMatchesAnyCaseAndSkipsHiddenFiles) {
  Fixture f;
  f.dir.Write("data/UPPER.KVX", "");
  f.dir.Write("data/.kvx", "");
  f.dir.Write("data/secret.kvx", "");
  ASSERT_TRUE(SetFileAttributesA(f.dir.File("data/secret.kvx").c_str(), FILE_ATTRIBUTE_HIDDEN));
  Names expected = {"UPPER"};
  // Wine shows every dot-file hidden.
  if (!(GetFileAttributesA(f.dir.File("data/.kvx").c_str()) & FILE_ATTRIBUTE_HIDDEN)) {
    expected.push_back("");
  }
  f.launcher.FillLists();
  Names listed = f.state.List(ListField::MapList);
  std::sort(listed.begin(), listed.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(listed, expected);
}

TEST(MapScan, EightBitNamesAreTheSystemsAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
  Fixture f;
  f.dir.Write("data/x", "");
  const std::wstring data = std::filesystem::path(f.dir.File("data")).wstring();
  const HANDLE file = CreateFileW((data + L"\\caf\u00e9.kvx").c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const char info[] = "e1m1\r\nThe caf\xe9.\r\n";
  DWORD written = 0;
  WriteFile(file, info, sizeof info - 1, &written, nullptr);
  CloseHandle(file);
  f.launcher.FillLists();
  EXPECT_EQ(f.state.List(ListField::MapList), Names{"caf\xe9"});
  f.dir.Write("data/caf\xe9.bmp", MakeBmp(2, 2));
  EXPECT_TRUE(f.launcher.RunCommand("map caf\xe9").ok());
  EXPECT_EQ(f.Text(TextField::MapDescription), "The caf\xe9.");
}

TEST(OwnMaps, WindowsNamesThatDifferOnlyInCaseAreOneMap) {
  TempDir root;
  root.Write("app/data/Sunken Keep.kvx", "e1m1\r\nThe installed keep.\r\n");
  root.Write("app/data/Other.kvx", "e1m2\r\nAnother.\r\n");
  root.Write("user/data/SUNKEN KEEP.kvx", "e4m4\r\nThe player's keep.\r\n");
  root.Write("user/data/SUNKEN KEEP.bmp", MakeBmp(2, 2));
  FakePlatform platform;
  Launcher launcher(FileLocations(root.File("app"), root.File("user")), platform);
  launcher.FillLists();
  EXPECT_EQ(launcher.State().List(ListField::MapList), (Names{"Other", "SUNKEN KEEP"}));
  // A map line saved with the installed map's spelling loads the player's.
  EXPECT_TRUE(launcher.RunCommand("map Sunken Keep").ok());
  EXPECT_EQ(launcher.State().Text(TextField::MapLevel), "e4m4");
  EXPECT_TRUE(platform.errors.empty());
}

}  // namespace
}  // namespace kovar::test
