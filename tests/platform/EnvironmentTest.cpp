// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the running program lies: the folder that holds the test program itself, as the launcher
// finds its files beside its own executable.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Environment.h"

namespace kovar::test {
namespace {

TEST(ExecutableDirectory, IsTheFolderThatHoldsTheRunningProgram) {
  const std::string directory = ExecutableDirectory();
  ASSERT_FALSE(directory.empty());
  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    const std::string name = entry.path().filename().string();
    found = found || name == "kovar_platform_tests" || name == "kovar_platform_tests.exe";
  }
  EXPECT_TRUE(found) << directory;
}

}  // namespace
}  // namespace kovar::test
