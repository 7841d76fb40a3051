// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long a 100,000-line command file takes to run while the debug console lists the log, hidden
// and shown, and what showing and sending cost once the log is that long.
#include <chrono>
#include <memory>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>

#include "BigCommandFile.h"
#include "TestSupport.h"
#include "frmDebug.h"

namespace {

using kovar::frmDebug;
using kovar::Launcher;
using kovar::test::FakeDesktop;
using kovar::test::TempDir;

constexpr int kLines = 100000;

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

// The big command file: settings lines of three kinds between comment lines.
const TempDir& BigFileDir() {
  static const TempDir dir;
  static const bool written = [] {
    const std::string text = kovar::bench::BigCommandFile(kLines);
    dir.Write("big.kvx", text);
    return true;
  }();
  (void)written;
  return dir;
}

enum class Console { None, Hidden, Shown };

// One run's launcher and, if wanted, its console.
struct Run {
  explicit Run(Console shown) {
    if (shown == Console::None) return;
    window = std::make_unique<frmDebug>(console);
    if (shown == Console::Shown) {
      window->ShowWindow();
      (void)QTest::qWaitForWindowExposed(window.get());
    }
  }
  FakeDesktop desktop;
  Launcher launcher{BigFileDir().Path(), desktop};
  kovar::DebugBehaviour console{launcher};
  std::unique_ptr<frmDebug> window;
};

// The whole file, and then the event loop turn that brings the new rows to the console.
void RunBigFile(benchmark::State& state, Console console) {
  double runMs = 0;
  double listMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto run = std::make_unique<Run>(console);
    state.ResumeTiming();
    const auto start = Clock::now();
    (void)run->launcher.RunCommand("exec big.kvx");
    const auto ran = Clock::now();
    QCoreApplication::processEvents();
    // The list lays itself out when it next paints; make that happen within the measurement.
    if (console == Console::Shown) run->window->repaint();
    const auto listed = Clock::now();
    state.PauseTiming();
    runMs += Ms(ran - start);
    listMs += Ms(listed - ran);
    if (run->launcher.State().Log().size() != kLines + 1) state.SkipWithError("lines lost");
    run.reset();
    state.ResumeTiming();
  }
  // Where the time goes: running the file, and the event loop turn that lists its lines.
  const double iterations = static_cast<double>(state.iterations());
  state.counters["run_ms"] = runMs / iterations;
  state.counters["list_ms"] = listMs / iterations;
}

void BM_BigFile_NoConsole(benchmark::State& state) { RunBigFile(state, Console::None); }
void BM_BigFile_HiddenConsole(benchmark::State& state) { RunBigFile(state, Console::Hidden); }
void BM_BigFile_ShownConsole(benchmark::State& state) { RunBigFile(state, Console::Shown); }

// Showing the console for the first time after start-up ran the big file.
void BM_FirstShowAfterBigFile(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto run = std::make_unique<Run>(Console::Hidden);
    (void)run->launcher.RunCommand("exec big.kvx");
    QCoreApplication::processEvents();
    state.ResumeTiming();
    run->window->ShowWindow();
    (void)QTest::qWaitForWindowExposed(run->window.get());
    QCoreApplication::processEvents();
    state.PauseTiming();
    run.reset();
    state.ResumeTiming();
  }
}

// Sending one line from the shown console while the log holds the big file.
void BM_SendWithLongLog(benchmark::State& state) {
  Run run(Console::Shown);
  (void)run.launcher.RunCommand("exec big.kvx");
  QCoreApplication::processEvents();
  QLineEdit* txtMain = run.window->txtMain();
  QPushButton* cmdSend = run.window->cmdSend();
  for (auto _ : state) {
    txtMain->setText(QStringLiteral("exe GLQuake.exe"));
    cmdSend->click();
    QCoreApplication::processEvents();
  }
}

BENCHMARK(BM_BigFile_NoConsole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigFile_HiddenConsole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BigFile_ShownConsole)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstShowAfterBigFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SendWithLongLog)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // Measured without a display unless one is asked for.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
