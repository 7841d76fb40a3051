// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmarks of the core without windows: the map scan of a huge catalogue, the start-up of an
// installed launcher with the player's own maps beside it, a long command file, loading one map
// with its preview, and the commands that once cost the most: thousands of `map` lines, nested
// files over the byte budget, a million failing lines. They print figures; nothing here passes or
// fails.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Launcher.h"
#include "BigCommandFile.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

// One folder per catalogue size and kind, made once and shared by every repetition: `data` with
// that many info files named from `prefix`; no `data` at all for none.
const TempDir& Catalogue(std::size_t maps, const std::string& prefix = "map ") {
  static std::map<std::pair<std::size_t, std::string>, std::unique_ptr<TempDir>> made;
  std::unique_ptr<TempDir>& dir = made[{maps, prefix}];
  if (!dir) {
    dir = std::make_unique<TempDir>();
    if (maps > 0) dir->Write("data/.keep", "");
    // The scan reads only the names, so the files may stay empty.
    for (std::size_t i = 0; i < maps; ++i) {
      std::ofstream(dir->File("data/" + prefix + std::to_string(i) + ".kvx"));
    }
  }
  return *dir;
}

void MapScan(benchmark::State& state) {
  const auto maps = static_cast<std::size_t>(state.range(0));
  const TempDir& dir = Catalogue(maps);
  QuietDesktop desktop;
  for (auto _ : state) {
    Launcher launcher(dir.Path(), desktop);
    launcher.FillLists();
    if (launcher.State().List(ListField::MapList).size() != maps) state.SkipWithError("lost maps");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  // What the map list holds in memory: the strings and their text beyond the inline buffer.
  Launcher launcher(dir.Path(), desktop);
  launcher.FillLists();
  const std::vector<std::string>& names = launcher.State().List(ListField::MapList);
  std::size_t bytes = names.capacity() * sizeof(std::string);
  for (const std::string& name : names) {
    if (name.capacity() > std::string().capacity()) bytes += name.capacity() + 1;
  }
  state.counters["list_KiB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(MapScan)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Start-up of an installed launcher, whose player's files live in a per-user folder: the map scan
// of the installed catalogue and of the player's own `data`, the start script and the saved map
// with its preview. range(0) installed maps, range(1) the player's own (none: no `data` there).
void InstalledStartup(benchmark::State& state) {
  const auto installed = static_cast<std::size_t>(state.range(0));
  const auto own = static_cast<std::size_t>(state.range(1));
  const TempDir& app = Catalogue(installed);
  const TempDir& user = Catalogue(own, "own map ");
  app.Write("auto.kvx", "exec settings.kvx\r\nexec config.kvx\r\n");
  app.Write("settings.kvx", "frun false\r\nquakedir /games/quake\r\n");
  app.Write("config.kvx", "exe GLQuake.exe\r\nmap map 0\r\ncpar +skill 2\r\n");
  app.Write("data/map 0.kvx", "e1m1\r\nA map of the benchmark.\r\n");
  app.Write("data/map 0.bmp", MakeBmp(160, 120));
  QuietDesktop desktop;
  for (auto _ : state) {
    Launcher launcher(FileLocations(app.Path(), user.Path()), desktop);
    if (launcher.Main().failed() || launcher.State().Map().level != "e1m1") {
      state.SkipWithError("start-up failed");
    }
    if (launcher.State().List(ListField::MapList).size() != installed + own) {
      state.SkipWithError("lost maps");
    }
  }
}
BENCHMARK(InstalledStartup)->Args({10000, 0})->Args({10000, 10000})->Unit(benchmark::kMillisecond);

// 100,000 setting and comment lines, no map and no exec; `ends` is how each line ends.
void CommandFile(benchmark::State& state, const std::string& ends) {
  TempDir dir;
  const std::string contents = kovar::bench::BigCommandFile(100000, ends);
  dir.Write("big.kvx", contents);
  QuietDesktop desktop;
  std::optional<Launcher> launcher;
  for (auto _ : state) {
    state.PauseTiming();
    launcher.emplace(dir.Path(), desktop);
    state.ResumeTiming();
    if (launcher->RunCommand("exec big.kvx").failed()) state.SkipWithError("the file failed");
    state.PauseTiming();
    if (launcher->State().Log().size() != 100001) state.SkipWithError("lines lost");
    launcher.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 100000);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(contents.size()));
}
BENCHMARK_CAPTURE(CommandFile, CrLf, std::string("\r\n"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CommandFile, Lf, std::string("\n"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CommandFile, Cr, std::string("\r"))->Unit(benchmark::kMillisecond);

// Every load reads the info file and the picture again, as the launcher must.
void LoadMap(benchmark::State& state) {
  TempDir dir;
  dir.Write("data/castle.kvx", "e1m1\r\nA dark castle by the sea.\r\n");
  dir.Write("data/castle.bmp",
            MakeBmp(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  QuietDesktop desktop;
  Launcher launcher(dir.Path(), desktop);
  launcher.State().SetText(TextField::MapSelection, "castle");
  for (auto _ : state) {
    if (launcher.LoadMap().failed()) state.SkipWithError("the map did not load");
  }
}
BENCHMARK(LoadMap)->Args({120, 90})->Args({160, 120})->Unit(benchmark::kMicrosecond);

// Counts the pictures the windows are told to show, each one decoded for them.
class PictureCounter : public StateObserver {
 public:
  explicit PictureCounter(LauncherState& state) : state_(state) { state_.AddObserver(this); }
  ~PictureCounter() override { state_.RemoveObserver(this); }
  PictureCounter(const PictureCounter&) = delete;
  PictureCounter& operator=(const PictureCounter&) = delete;
  Result PreviewChanged() override {
    if (!state_.Map().picture.Empty()) ++pictures;
    return Result::Ok();
  }
  int pictures = 0;

 private:
  LauncherState& state_;
};

// Start-up with a start script of range(0) lines `map heavy`, whose preview is a 2300 x 2400
// 24-bit picture just under the 16 MiB limit.
void MapLines(benchmark::State& state) {
  TempDir dir;
  std::string script;
  for (std::int64_t i = 0; i < state.range(0); ++i) script += "map heavy\r\n";
  dir.Write("auto.kvx", script);
  dir.Write("data/heavy.kvx", "e1m1\r\nA map with a large preview.\r\n");
  dir.Write("data/heavy.bmp", MakeBmp(2300, 2400));
  QuietDesktop desktop;
  int pictures = 0;
  for (auto _ : state) {
    Launcher launcher(dir.Path(), desktop);
    PictureCounter counter(launcher.State());
    if (launcher.Main().failed() || launcher.State().Map().picture.Empty()) {
      state.SkipWithError("start-up failed");
    }
    pictures = counter.pictures;
  }
  state.counters["decodes"] = pictures;
}
BENCHMARK(MapLines)->Arg(1000)->Arg(3000)->Iterations(1)->Unit(benchmark::kMillisecond);

// A sparse file of `bytes` NULs after `head`, and `tail` after them.
void WriteSparse(const TempDir& dir, const std::string& name, const std::string& head,
                 std::uintmax_t bytes, const std::string& tail) {
  dir.Write(name, head);
  std::filesystem::resize_file(dir.File(name), head.size() + bytes);
  std::ofstream(dir.File(name), std::ios::app | std::ios::binary) << tail;
}

// The start script runs a file whose one 63 MiB line is skipped, then holds a 60 MiB line itself:
// the bytes the command reads, of a budget of 64 MiB.
void NestedBudget(benchmark::State& state) {
  TempDir dir;
  WriteSparse(dir, "inner.kvx", "", 63 * 1024 * 1024, "\r\n");
  WriteSparse(dir, "auto.kvx", "exec inner.kvx\r\n", 60 * 1024 * 1024, "\r\nexe after\r\n");
  QuietDesktop desktop;
  std::uint64_t read = 0;
  for (auto _ : state) {
    Launcher launcher(dir.Path(), desktop);
    const std::uint64_t before = BytesRead();
    (void)launcher.Main();
    read = BytesRead() - before;
  }
  state.counters["read_MiB"] = static_cast<double>(read) / (1024 * 1024);
}
BENCHMARK(NestedBudget)->Iterations(1)->Unit(benchmark::kMillisecond);

// The heap in use when the line of index `at` is logged, the report of the command still held.
class HeapAtLine : public StateObserver {
 public:
  HeapAtLine(LauncherState& state, std::size_t at) : state_(state), at_(at) {
    state_.AddObserver(this);
  }
  ~HeapAtLine() override { state_.RemoveObserver(this); }
  HeapAtLine(const HeapAtLine&) = delete;
  HeapAtLine& operator=(const HeapAtLine&) = delete;
  void LogAppended(std::size_t index) override {
    if (index == at_) bytes = mallinfo2().uordblks;
  }
  std::size_t bytes = 0;

 private:
  LauncherState& state_;
  std::size_t at_;
};

// The heap a command of 1,000,000 lines holds at its last line, before its box is shown.
std::size_t HeapOfCommand(const TempDir& dir, const std::string& line) {
  std::string lines;
  for (int i = 0; i < 1000000 - 1; ++i) lines += line + "\r\n";
  dir.Write("big.kvx", lines + "last\r\n");
  QuietDesktop desktop;
  Launcher launcher(dir.Path(), desktop);
  HeapAtLine heap(launcher.State(), 1000000);
  const std::size_t before = mallinfo2().uordblks;
  (void)launcher.RunCommand("exec big.kvx");
  return heap.bytes - before;
}

// The report of a command of 1,000,000 failing `exec` lines: the heap it holds beyond that of as
// many comment lines of the same length.
void FailingLines(benchmark::State& state) {
  TempDir dir;
  std::size_t report = 0;
  for (auto _ : state) {
    report = HeapOfCommand(dir, "exec missing.kvx") - HeapOfCommand(dir, "exxc missing.kvx");
  }
  state.counters["report_MiB"] = static_cast<double>(report) / (1024 * 1024);
}
BENCHMARK(FailingLines)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kovar::test

BENCHMARK_MAIN();
