// Benchmarks of the core without windows: the map scan of a huge catalogue, the start-up of an
// installed launcher with the player's own maps beside it, a long command file, and loading one
// map with its preview. They print figures; nothing here passes or fails.
#include <benchmark/benchmark.h>

#include <cstdint>
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
    if (launcher.Main().failed() || launcher.State().Text(TextField::MapLevel) != "e1m1") {
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

}  // namespace
}  // namespace kovar::test

BENCHMARK_MAIN();
