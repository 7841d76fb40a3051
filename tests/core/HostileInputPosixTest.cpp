// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Files only a POSIX system can put in a command file's or a preview's place: a named pipe, a
// device, a file its owner may not read.
#include <malloc.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "HostileInput.h"
#include "TestSupport.h"

namespace kovar::test {

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

// The most heap a command of 200,000 lines `line` holds while it runs.
std::size_t PeakHeap(Fixture& f, const std::string& line) {
  std::string lines;
  for (int i = 0; i < 200000; ++i) lines += line + "\n";
  f.dir.Write("lines.kvx", lines);
  struct Peak : StateObserver {
    std::size_t bytes = 0;
    void LogAppended(std::size_t) override { bytes = std::max(bytes, mallinfo2().uordblks); }
  } peak;
  f.state.AddObserver(&peak);
  const std::size_t before = mallinfo2().uordblks;
  (void)f.launcher.RunCommand("exec lines.kvx");
  f.state.RemoveObserver(&peak);
  return peak.bytes - before;
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
         for (const char* name :
              {"line\nfeed", "car\rriage", "tab\t", "del\x7f", ".hidden", "", "shown"}) {
           f.dir.Write(std::string("data/") + name + ".kvx", "");
         }
         f.launcher.FillLists();
         std::vector<std::string> listed = f.state.List(ListField::MapList);
         std::sort(listed.begin(), listed.end());
         EXPECT_EQ(listed, (std::vector<std::string>{"del\x7f", "shown", "tab\t"}));
       }},
      {"a command file that runs one of a skipped 63 MiB line, then holds a 60 MiB line itself",
       [](Fixture& f) {
         f.dir.Write("auto.kvx", "exec inner.kvx\n");
         f.dir.Write("inner.kvx", "");
         fs::resize_file(f.dir.File("auto.kvx"), 60 * 1024 * 1024);
         fs::resize_file(f.dir.File("inner.kvx"), 63 * 1024 * 1024);
         const std::uint64_t before = BytesRead();
         EXPECT_TRUE(f.launcher.Main().ok());
         // The budget, and what reading /proc/self/io itself costs.
         EXPECT_LE(BytesRead() - before, 64u * 1024 * 1024 + 4096);
       }},
      {"200,000 failing lines, of which the report keeps the 12 it shows",
       [](Fixture& f) {
         const std::size_t failing = PeakHeap(f, "exec m.kvx");
         ASSERT_EQ(f.desktop.errors.size(), 1u);
         EXPECT_NE(f.desktop.errors[0].find("\n... and 199988 more failures."), std::string::npos);
         // Beyond what as many comment lines hold, in the log as well.
         Fixture comments;
         EXPECT_LT(failing - PeakHeap(comments, "exxc m.kvx"), 64u * 1024);
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
