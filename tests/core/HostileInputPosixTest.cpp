// Files only a POSIX system can put in a command file's or a preview's place: a named pipe, a
// device, a file its owner may not read.
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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

// What this process has read from files so far, in bytes.
std::uint64_t BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string key;
  std::uint64_t value = 0;
  while (io >> key >> value && key != "rchar:") {
  }
  return value;
}

// True when `path` was opened while `action` ran, as the kernel tells its watchers.
bool OpenedDuring(const std::string& path, const std::function<void()>& action) {
  const int watcher = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  EXPECT_GE(::inotify_add_watch(watcher, path.c_str(), IN_OPEN), 0);
  action();
  alignas(inotify_event) char events[4096];
  const bool opened = ::read(watcher, events, sizeof events) > 0;
  ::close(watcher);
  return opened;
}

}  // namespace

std::vector<HostileEdge> SystemOnlyEdges() {
  return {
      {"a map info file of one endless line, sparse as a hostile map pack may ship it",
       [](Fixture& f) {
         f.dir.Write("data/m.kvx", "e1m1\n");
         fs::resize_file(f.dir.File("data/m.kvx"), 256 * 1024 * 1024);
         const std::uint64_t before = BytesRead();
         EXPECT_TRUE(f.launcher.RunCommand("map m").failed());
         EXPECT_LT(BytesRead() - before, 1024u * 1024u);
       }},
      {"a preview that is a named pipe",
       [](Fixture& f) {
         f.dir.Write("data/m.kvx", "e1m1\nDesc\n");
         ASSERT_EQ(::mkfifo(f.dir.File("data/m.bmp").c_str(), 0600), 0);
         EXPECT_FALSE(OpenedDuring(f.dir.File("data/m.bmp"),
                                   [&f] { (void)f.launcher.RunCommand("map m"); }));
       }},
      {"map names a settings line could not hold, and hidden files",
       [](Fixture& f) {
         for (const char* name : {"line\nfeed", "tab\t", ".hidden", "", "shown"}) {
           f.dir.Write(std::string("data/") + name + ".kvx", "");
         }
         f.launcher.FillLists();
         EXPECT_EQ(f.state.List(ListField::MapList), std::vector<std::string>{"shown"});
       }},
      {"a map folder that cannot be listed, named in the start-up's box",
       [](Fixture& f) {
         fs::create_directory_symlink("data", f.dir.File("data"));
         f.dir.Write("auto.kvx", "");
         EXPECT_TRUE(f.launcher.Main().ok());
         ASSERT_EQ(f.desktop.errors.size(), 1u);
         EXPECT_NE(f.desktop.errors[0].find(f.dir.File("data") + "\" cannot be listed: Too many"),
                   std::string::npos);
       }},
  };
}

namespace {

TEST(HostileCommandFile, PipesAndDevicesAreRefusedWithoutWaiting) {
  Fixture f;
  // A pipe nobody writes to would wait forever; /dev/zero is one endless line.
  ASSERT_EQ(::mkfifo(f.dir.File("pipe.kvx").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", f.dir.File("zero.kvx"));
  f.dir.Write("auto.kvx", "exec pipe.kvx\r\nexec zero.kvx\r\nexe reached\r\n");
  EXPECT_TRUE(f.launcher.Main().ok());
  EXPECT_EQ(f.Text(TextField::EngineText), "reached");
  ASSERT_EQ(f.desktop.errors.size(), 1u);
  for (const char* name : {"pipe.kvx", "zero.kvx"}) {
    EXPECT_NE(f.desktop.errors[0].find(f.dir.File(name) + "\": it is not an ordinary file"),
              std::string::npos)
        << name;
  }

  Fixture start;
  ASSERT_EQ(::mkfifo(start.dir.File("auto.kvx").c_str(), 0600), 0);
  EXPECT_TRUE(start.launcher.Main().failed());
  EXPECT_EQ(start.desktop.windowShown, 0);
}

}  // namespace
}  // namespace kovar::test
