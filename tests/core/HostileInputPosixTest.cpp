// Files only a POSIX system can put in a command file's or a preview's place: a named pipe, a
// device, a file its owner may not read.
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "HostileInput.h"
#include "TestSupport.h"

namespace kovar::test {

const char* const kNotADirectory = "Not a directory";

void RefuseSystemOnlyPreviews(Fixture& f,
                              const std::function<void(const std::string& why)>& refused) {
  std::filesystem::remove(f.dir.File("data/m.bmp"));
  std::filesystem::create_symlink("/dev/zero", f.dir.File("data/m.bmp"));
  refused("not an ordinary file");
  if (PermissionsApply()) {
    std::filesystem::remove(f.dir.File("data/m.bmp"));
    f.dir.Write("data/m.bmp", MakeBmp(8, 8));
    std::filesystem::permissions(f.dir.File("data/m.bmp"), std::filesystem::perms::none);
    refused("Permission denied");
  }
}

namespace {

namespace fs = std::filesystem;

TEST(HostileCommandFile, PipesAndDevicesAreRefusedWithoutWaiting) {
  Fixture f;
  // A pipe nobody writes to would wait forever; /dev/zero is one endless line.
  ASSERT_EQ(::mkfifo(f.dir.File("pipe.kvx").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", f.dir.File("zero.kvx"));
  f.dir.Write("auto.kvx", "exec pipe.kvx\r\nexec zero.kvx\r\nexe reached\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  EXPECT_EQ(f.Text(TextField::EngineText), "reached");
  ASSERT_EQ(f.platform.errors.size(), 1u);
  for (const char* name : {"pipe.kvx", "zero.kvx"}) {
    EXPECT_NE(f.platform.errors[0].find(f.dir.File(name) + "\": it is not an ordinary file"),
              std::string::npos)
        << name;
  }

  Fixture start;
  ASSERT_EQ(::mkfifo(start.dir.File("auto.kvx").c_str(), 0600), 0);
  EXPECT_TRUE(start.launcher.Main().failed());
  EXPECT_EQ(start.platform.windowShown, 0);
}

}  // namespace
}  // namespace kovar::test
