// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files that another Windows program holds open.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace kovar::test {
namespace {

namespace fs = std::filesystem;

// Holds a file open as another program would, sharing only what `share` allows.
class OpenElsewhere {
 public:
  OpenElsewhere(const std::string& path, DWORD share)
      : handle_(
            CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~OpenElsewhere() { Release(); }
  OpenElsewhere(const OpenElsewhere&) = delete;
  OpenElsewhere& operator=(const OpenElsewhere&) = delete;
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release() {
    if (Held()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

TEST(SaveCFG, ASettingsFileLockedAtStartIsLeftUntouched) {
  Fixture f;
  f.dir.Write("settings.kvx", "frun false\r\nquakedir C:\\Precious\r\n");
  f.dir.Write("auto.kvx", "exec config.kvx\r\nexec settings.kvx\r\n");
  OpenElsewhere lock(f.dir.File("settings.kvx"), 0);
  ASSERT_TRUE(lock.Held());
  EXPECT_TRUE(f.launcher.Main().ok());
  lock.Release();
  f.desktop.errors.clear();
  const Result saved = f.launcher.SaveCFG();
  ASSERT_TRUE(saved.failed());
  EXPECT_EQ(saved.failure().kind(), FailureKind::Refused);
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir C:\\Precious\r\n");
  EXPECT_EQ(f.dir.Read("config.kvx"), "exe LucidGL.exe\r\ncpar \r\n");
  EXPECT_EQ(f.desktop.errors.size(), 1u);
}

TEST(SaveCFG, ASettingsFileInUseIsKeptWholeAndNoTemporaryFileStays) {
  Fixture f;
  f.dir.Write("config.kvx", "exe Old.exe\r\ncpar \r\n");
  f.Run("exe New.exe");
  // Readers that allow no renaming keep the file from being replaced.
  OpenElsewhere reader(f.dir.File("config.kvx"), FILE_SHARE_READ | FILE_SHARE_WRITE);
  ASSERT_TRUE(reader.Held());
  const Result saved = f.launcher.SaveCFG();
  reader.Release();
  ASSERT_TRUE(saved.failed());
  // The system's own error, as Windows reported it.
  EXPECT_EQ(saved.failure().kind(), FailureKind::System);
  EXPECT_EQ(saved.failure().code().category(), std::system_category());
  EXPECT_NE(saved.failure().code().value(), 0);
  EXPECT_EQ(f.dir.Read("config.kvx"), "exe Old.exe\r\ncpar \r\n");
  EXPECT_EQ(f.dir.Read("settings.kvx"), "frun false\r\nquakedir \r\n");
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  EXPECT_NE(f.desktop.errors[0].find(f.dir.File("config.kvx")), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(f.dir.Path()), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace kovar::test
