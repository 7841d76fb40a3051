// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The listing of map files as Windows lists a directory: any case, no hidden files, names in the
// ANSI code page.
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

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
  EXPECT_EQ(f.state.Map().description, "The caf\xe9.");
}

}  // namespace
}  // namespace kovar::test
