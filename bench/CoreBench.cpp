// Benchmarks of the core without windows: the map scan of a huge catalogue, a long command file,
// and loading one map with its preview. They print figures; nothing here passes or fails.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Launcher.h"
#include "BigCommandFile.h"
#include "TestSupport.h"

namespace kovar::test {
namespace {

// One application directory per catalogue size, made once and shared by every repetition.
const TempDir& Catalogue(std::size_t maps) {
  static std::map<std::size_t, std::unique_ptr<TempDir>> made;
  std::unique_ptr<TempDir>& dir = made[maps];
  if (!dir) {
    dir = std::make_unique<TempDir>();
    dir->Write("data/.keep", "");
    // The scan reads only the names, so the files may stay empty.
    for (std::size_t i = 0; i < maps; ++i) {
      std::ofstream(dir->File("data/map " + std::to_string(i) + ".kvx"));
    }
  }
  return *dir;
}

void MapScan(benchmark::State& state) {
  const auto maps = static_cast<std::size_t>(state.range(0));
  const TempDir& dir = Catalogue(maps);
  QuietPlatform platform;
  for (auto _ : state) {
    Launcher launcher(dir.Path(), platform);
    launcher.FillLists();
    if (launcher.State().List(ListField::MapList).size() != maps) state.SkipWithError("lost maps");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  // What the map list holds in memory: the strings and their text beyond the inline buffer.
  Launcher launcher(dir.Path(), platform);
  launcher.FillLists();
  const std::vector<std::string>& names = launcher.State().List(ListField::MapList);
  std::size_t bytes = names.capacity() * sizeof(std::string);
  for (const std::string& name : names) {
    if (name.capacity() > std::string().capacity()) bytes += name.capacity() + 1;
  }
  state.counters["list_KiB"] = static_cast<double>(bytes) / 1024;
}
BENCHMARK(MapScan)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// 100,000 setting and comment lines, no map and no exec; `ends` is how each line ends.
void CommandFile(benchmark::State& state, const std::string& ends) {
  TempDir dir;
  const std::string contents = kovar::bench::BigCommandFile(100000, ends);
  dir.Write("big.kvx", contents);
  QuietPlatform platform;
  std::optional<Launcher> launcher;
  for (auto _ : state) {
    state.PauseTiming();
    launcher.emplace(dir.Path(), platform);
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
  QuietPlatform platform;
  Launcher launcher(dir.Path(), platform);
  launcher.State().SetText(TextField::MapSelection, "castle");
  for (auto _ : state) {
    if (launcher.LoadMap().failed()) state.SkipWithError("the map did not load");
  }
}
BENCHMARK(LoadMap)->Args({120, 90})->Args({160, 120})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kovar::test

BENCHMARK_MAIN();
