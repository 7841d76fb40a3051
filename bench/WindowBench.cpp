// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the windows cost with a catalogue of 10,000 maps: start-up to the main window shown against
// a bare main window of the same size, a map selection shown, a 100,000-line command file with both
// windows observing, and, run as `--memory`, the resident memory of each case in its own process;
// run as `--panels`, resident memory over thousands of panel switches (under a screen reader when
// one listens on the session's accessibility bus).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "Launcher.h"
#include "LauncherProgram.h"
#include "MapBox.h"
#include "ToolkitDesktop.h"
#include "BigCommandFile.h"
#include "TestSupport.h"
#include "frmDebug.h"
#include "frmMain.h"

namespace {

using kovar::frmDebug;
using kovar::frmMain;
using kovar::Launcher;
using kovar::MapBox;
using kovar::ToolkitDesktop;
using kovar::test::MakeBmp;
using kovar::test::TempDir;

constexpr int kMaps = 10000;
constexpr int kPreviews = 8;
constexpr int kCommandLines = 100000;

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

std::string MapName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "map%05d", i);
  return name;
}

// An installed launcher: the start script running the two settings files, 10,000 map info files
// of which the first few have a 160 x 120 preview, and the big command file.
const TempDir& AppDir() {
  static const TempDir dir;
  static const bool written = [] {
    dir.Write("auto.kvx", "// start script\r\nexec config.kvx\r\nexec settings.kvx\r\n");
    dir.Write("config.kvx", "exe GLQuake.exe\r\nmap map00001\r\ncpar -zone 2048\r\n");
    dir.Write("settings.kvx", "frun false\r\nquakedir /opt/quake\r\n");
    const std::string preview = MakeBmp(160, 120);
    for (int i = 0; i < kMaps; ++i) {
      const std::string name = MapName(i);
      char info[96];
      std::snprintf(info, sizeof info,
                    "e%dm%d\r\nThe map number %d, somewhere in the slipgate.\r\n", i % 4 + 1,
                    i % 8 + 1, i);
      dir.Write("data/" + name + ".kvx", info);
      if (i < kPreviews) dir.Write("data/" + name + ".bmp", preview);
    }
    const std::string text = kovar::bench::BigCommandFile(kCommandLines);
    dir.Write("big.kvx", text);
    return true;
  }();
  (void)written;
  return dir;
}

// A child process measuring memory uses its parent's application directory.
std::string givenAppDir;

std::string AppDirPath() { return givenAppDir.empty() ? AppDir().Path() : givenAppDir; }

// The application's objects, made as the application makes them.
struct LauncherWindows {
  LauncherWindows() { desktop.SetMainWindow(&window); }
  ToolkitDesktop desktop;
  kovar::LauncherProgram program{AppDirPath(), desktop};
  Launcher& launcher = program.Core();
  frmDebug console{program.ConsoleBehaviour()};
  frmMain window{program.WindowBehaviour()};
};

// Start-up through to the main window shown and every pending event handled.
std::unique_ptr<LauncherWindows> StartLauncher() {
  auto run = std::make_unique<LauncherWindows>();
  if (run->launcher.Main().failed()) return nullptr;
  (void)QTest::qWaitForWindowExposed(&run->window);
  QCoreApplication::processEvents();
  return run;
}

// The size of the launcher's main window, found once.
QSize LauncherWindowSize() {
  static const QSize size = [] {
    auto run = StartLauncher();
    return run ? run->window.size() : QSize();
  }();
  return size;
}

// The least a main window of that size with the same menus costs: three menus with their items.
std::unique_ptr<QMainWindow> StartBareWindow(QSize size) {
  auto window = std::make_unique<QMainWindow>();
  QMenu* file = window->menuBar()->addMenu(QStringLiteral("&File"));
  for (const char* caption : {"&Reset Settings", "&Open Settings", "&Save Settings"}) {
    file->addAction(QString::fromLatin1(caption))->setVisible(false);
  }
  file->addSeparator()->setEnabled(false);
  file->addAction(QStringLiteral("E&xit"));
  QMenu* tools = window->menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->addAction(QStringLiteral("&Debug Window"))->setEnabled(false);
  tools->addAction(QStringLiteral("&Set Quake Directory"));
  tools->addAction(QStringLiteral("&Options"))->setVisible(false);
  QMenu* help = window->menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(QStringLiteral("&About"));
  window->setCentralWidget(new QWidget(window.get()));
  window->setFixedSize(size);
  window->show();
  (void)QTest::qWaitForWindowExposed(window.get());
  QCoreApplication::processEvents();
  return window;
}

// Both start-ups in turn in each iteration; the iteration's time is the launcher's.
void BM_StartUpWith10000Maps(benchmark::State& state) {
  (void)LauncherWindowSize();
  double launcherMs = 0;
  double bareMs = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    auto run = StartLauncher();
    const auto launched = Clock::now();
    auto bare = StartBareWindow(LauncherWindowSize());
    const auto bareShown = Clock::now();
    if (!run || run->launcher.State().List(kovar::ListField::MapList).size() != kMaps) {
      state.SkipWithError("the launcher did not start with every map");
      break;
    }
    launcherMs += Ms(launched - start);
    bareMs += Ms(bareShown - launched);
    state.SetIterationTime(std::chrono::duration<double>(launched - start).count());
    run.reset();
    bare.reset();
    QCoreApplication::processEvents();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["launcher_ms"] = launcherMs / iterations;
  state.counters["bare_ms"] = bareMs / iterations;
  state.counters["ratio"] = launcherMs / bareMs;
}

// A click on a map in the list through to its title, description and 160 x 120 preview painted.
// The list is scrolled to the map beforehand, outside the measurement.
void BM_MapSelectionShown(benchmark::State& state) {
  auto run = StartLauncher();
  if (!run) {
    state.SkipWithError("the launcher did not start");
    return;
  }
  QListView* list = static_cast<MapBox*>(run->window.Control(kovar::MainControl::listMap))->List();
  QAbstractItemModel* entries = list->model();
  auto find = [entries](int map) {
    return entries
        ->match(entries->index(0, 0), Qt::DisplayRole, QString::fromStdString(MapName(map)), 1,
                Qt::MatchExactly)
        .value(0);
  };
  const QModelIndex maps[2] = {find(2), find(3)};
  if (!maps[0].isValid() || !maps[1].isValid()) {
    state.SkipWithError("the maps with previews are not listed");
    return;
  }
  int turn = 0;
  for (auto _ : state) {
    list->scrollTo(maps[turn]);
    QCoreApplication::processEvents();
    const QPoint at = list->visualRect(maps[turn]).center();
    const auto start = Clock::now();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    if (run->launcher.State().Map().name != MapName(2 + turn) ||
        run->launcher.State().Map().failure) {
      state.SkipWithError("the clicked map was not loaded");
      break;
    }
    turn ^= 1;
  }
}

// The big command file run from a console line while the main window and the hidden console
// both observe the state, and the event loop turn after it.
void BM_BigFileWithBothWindows(benchmark::State& state) {
  double runMs = 0;
  double eventsMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto run = StartLauncher();
    const std::size_t logged = run ? run->launcher.State().Log().size() : 0;
    state.ResumeTiming();
    const auto start = Clock::now();
    if (run) (void)run->launcher.RunCommand("exec big.kvx");
    const auto ran = Clock::now();
    QCoreApplication::processEvents();
    const auto processed = Clock::now();
    state.PauseTiming();
    runMs += Ms(ran - start);
    eventsMs += Ms(processed - ran);
    if (!run || run->launcher.State().Log().size() != logged + kCommandLines + 1) {
      state.SkipWithError("lines lost");
    }
    run.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["run_ms"] = runMs / iterations;
  state.counters["events_ms"] = eventsMs / iterations;
}

BENCHMARK(BM_StartUpWith10000Maps)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_MapSelectionShown)->Unit(benchmark::kMicrosecond)->UseManualTime();
BENCHMARK(BM_BigFileWithBothWindows)->Unit(benchmark::kMillisecond);

// Resident memory now and at its peak, in KiB. The peak is the process's own: getrusage would
// carry over the parent's peak across the exec.
struct Memory {
  long current = 0;
  long peak = 0;
};

Memory MeasureMemory() {
  Memory memory;
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") status >> memory.current;
    if (key == "VmHWM:") status >> memory.peak;
    std::getline(status, key);
  }
  return memory;
}

// One case in this process: shows its window, then prints "current peak" in KiB. `argument` is
// the application directory for the launcher, the window size (W H) for the bare window.
int MemoryOfCase(const std::string& which, const std::string& argument) {
  std::unique_ptr<LauncherWindows> run;
  std::unique_ptr<QMainWindow> bare;
  if (which == "launcher") {
    givenAppDir = argument;
    run = StartLauncher();
    if (!run) return 1;
  } else {
    int width = 0;
    int height = 0;
    if (std::sscanf(argument.c_str(), "%d %d", &width, &height) != 2) return 1;
    bare = StartBareWindow(QSize(width, height));
  }
  const Memory memory = MeasureMemory();
  std::printf("%ld %ld\n", memory.current, memory.peak);
  return 0;
}

// One case in a fresh process: its memory, and the wall time of the whole process, from its start
// (loading Qt, the platform and fonts included) to its window shown and the process ended.
struct ChildRun {
  Memory memory;
  double ms = 0;
};

ChildRun RunChild(const QString& which, const QString& argument) {
  QProcess child;
  const Clock::time_point start = Clock::now();
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--memory-case"), which, argument});
  child.waitForFinished(-1);
  ChildRun run;
  run.ms = Ms(Clock::now() - start);
  if (std::sscanf(child.readAllStandardOutput().constData(), "%ld %ld", &run.memory.current,
                  &run.memory.peak) != 2) {
    std::fprintf(stderr, "the %s case failed\n", qPrintable(which));
  }
  return run;
}

Memory MemoryInChild(const QString& which, const QString& argument) {
  return RunChild(which, argument).memory;
}

// Start-up as the player meets it: the whole process, cold, for each case in turn, as medians.
int CompareColdStarts() {
  const QSize size = LauncherWindowSize();
  const QString appDir = QString::fromStdString(AppDir().Path());
  const QString bareSize = QStringLiteral("%1 %2").arg(size.width()).arg(size.height());
  std::vector<double> launcher;
  std::vector<double> bare;
  for (int round = 0; round < 15; ++round) {
    launcher.push_back(RunChild(QStringLiteral("launcher"), appDir).ms);
    bare.push_back(RunChild(QStringLiteral("bare"), bareSize).ms);
  }
  auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  const double launcherMs = median(launcher);
  const double bareMs = median(bare);
  std::printf("Whole-process start to window shown with %d maps, median of 15 (ms):\n", kMaps);
  std::printf("  launcher window  %8.1f\n", launcherMs);
  std::printf("  bare window      %8.1f\n", bareMs);
  std::printf("  ratio            %8.2f\n", launcherMs / bareMs);
  return 0;
}

// Each case in a fresh process of its own, so that neither inherits the other's heap.
int CompareMemory() {
  const QSize size = LauncherWindowSize();
  const Memory launcher =
      MemoryInChild(QStringLiteral("launcher"), QString::fromStdString(AppDir().Path()));
  const Memory bare = MemoryInChild(QStringLiteral("bare"),
                                    QStringLiteral("%1 %2").arg(size.width()).arg(size.height()));
  std::printf("Resident memory with %d maps, KiB (current / peak):\n", kMaps);
  std::printf("  launcher window  %8ld / %8ld\n", launcher.current, launcher.peak);
  std::printf("  bare window      %8ld / %8ld\n", bare.current, bare.peak);
  std::printf("  difference       %8ld / %8ld  (%.1f / %.1f MiB)\n",
              launcher.current - bare.current, launcher.peak - bare.peak,
              (launcher.current - bare.current) / 1024.0, (launcher.peak - bare.peak) / 1024.0);
  return 0;
}

// Resident memory before and after 500 and 5,000 panel switches, each a click on Single Player or
// Main in turn, and whether accessibility was active (a screen reader listening).
int MemoryOverPanelSwitches() {
  auto run = StartLauncher();
  if (!run) return 1;
  std::printf("Resident memory over panel switches, KiB (accessibility %s):\n",
              QAccessible::isActive() ? "active" : "off");
  std::printf("  %5d switches  %8ld\n", 0, MeasureMemory().current);
  int switches = 0;
  for (const int until : {500, 5000}) {
    for (; switches < until; ++switches) {
      run->window.Behaviour().ImageClicked(switches % 2 == 0 ? kovar::MainControl::imgSP
                                                             : kovar::MainControl::imgMain);
      QCoreApplication::processEvents();
    }
    std::printf("  %5d switches  %8ld\n", switches, MeasureMemory().current);
  }
  // A screen reader may still be reading what the switches told it.
  QTest::qWait(3000);
  std::printf("  and 3 s later  %8ld\n", MeasureMemory().current);
  return 0;
}

// The offscreen platform says so at every window shown; the figures are easier to read without it.
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// A message box would wait for a player forever: one found open is reported and closed, and the
// run counts as failed.
void CloseMessageBoxes() {
  auto* timer = new QTimer(qApp);
  QObject::connect(timer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      std::fprintf(stderr, "unexpected message: %s\n", qPrintable(box->text()));
      box->reject();
      std::exit(2);
    }
  });
  timer->start(100);
}

}  // namespace

int main(int argc, char** argv) {
  // Measured without a display unless one is asked for.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietHandler);
  if (argc == 4 && std::strcmp(argv[1], "--memory-case") == 0) {
    QApplication app(argc, argv);
    CloseMessageBoxes();
    return MemoryOfCase(argv[2], argv[3]);
  }
  if (argc == 2 && std::strcmp(argv[1], "--memory") == 0) {
    QApplication app(argc, argv);
    return CompareMemory();
  }
  if (argc == 2 && std::strcmp(argv[1], "--panels") == 0) {
    QApplication app(argc, argv);
    CloseMessageBoxes();
    return MemoryOverPanelSwitches();
  }
  if (argc == 2 && std::strcmp(argv[1], "--cold") == 0) {
    QApplication app(argc, argv);
    return CompareColdStarts();
  }
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  CloseMessageBoxes();
  // The first window of a process loads fonts and styles; neither case should carry that.
  (void)StartBareWindow(LauncherWindowSize());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
