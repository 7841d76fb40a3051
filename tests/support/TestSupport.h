// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Shared test helpers: a recording desktop and a temporary application directory.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "Launcher.h"
#include "FileSystem.h"
#include "DesktopServices.h"

namespace kovar::test {

// Records every call the core makes to the desktop and answers with scripted values.
class FakeDesktop : public DesktopServices {
 public:
  void ShowMainWindow() override { ++windowShown; }
  InputAnswer InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override {
    prompts.push_back(prompt + "|" + title + "|" + defaultText);
    return {inputAnswer, inputShown.value_or(defaultText)};
  }
  void ShowError(const std::string& message) override { errors.push_back(message); }
  Result StartScript(const std::string& scriptPath, const ScriptTarget&) override {
    started.push_back(scriptPath);
    return startAnswer.empty() ? Result::Ok() : Result::Failure(FailureKind::System, startAnswer);
  }

  int windowShown = 0;
  std::vector<std::string> prompts;
  std::string inputAnswer;
  // What the box's field shows of the text it is given, when not that text.
  std::optional<std::string> inputShown;
  std::vector<std::string> errors;
  std::vector<std::string> started;
  // Empty for a script that starts; otherwise why it does not.
  std::string startAnswer;
};

// A window that shows the preview picture as a skin would: records each picture it is told of
// and refuses to draw one while `drawAnswer` holds a reason.
class PreviewWatcher : public StateObserver {
 public:
  explicit PreviewWatcher(LauncherState& state) : state_(state) { state_.AddObserver(this); }
  ~PreviewWatcher() override { state_.RemoveObserver(this); }
  PreviewWatcher(const PreviewWatcher&) = delete;
  PreviewWatcher& operator=(const PreviewWatcher&) = delete;

  Result PreviewChanged() override {
    const Bitmap& picture = state_.Map().picture;
    if (!picture.Empty() && !drawAnswer.empty())
      return Result::Failure(FailureKind::System, drawAnswer);
    shown.push_back(picture);
    return Result::Ok();
  }

  // What the window showed, oldest first; an empty entry is no picture.
  std::vector<Bitmap> shown;
  std::string drawAnswer;

 private:
  LauncherState& state_;
};

// A desktop on which everything succeeds and nothing is remembered: for fuzzing and benchmarks,
// where recording every call would grow without bound and cost time.
class QuietDesktop : public DesktopServices {
 public:
  void ShowMainWindow() override {}
  InputAnswer InputBox(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  void ShowError(const std::string&) override {}
  Result StartScript(const std::string&, const ScriptTarget&) override { return Result::Ok(); }
};

// A fresh application directory under the system's temporary directory (or under `parent`),
// removed afterwards.
class TempDir {
 public:
  TempDir() : TempDir(std::filesystem::temp_directory_path()) {}
  explicit TempDir(const std::filesystem::path& parent) {
    path_ = parent / ("kovar-test-" + std::to_string(std::random_device{}()) +
                      std::to_string(std::random_device{}()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path() const { return path_.string(); }
  // The full path of a file under the directory, spelt as the core spells it; `relative` uses '/'
  // between its parts.
  std::string File(const std::string& relative) const {
    return (path_ / relative).make_preferred().string();
  }

  void Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool Has(const std::string& relative) const { return std::filesystem::exists(path_ / relative); }

 private:
  std::filesystem::path path_;
};

// A launcher over a temporary application directory, with its recording desktop and a window
// that shows the preview.
struct Fixture {
  TempDir dir;
  FakeDesktop desktop;
  Launcher launcher{dir.Path(), desktop};
  LauncherState& state = launcher.State();
  PreviewWatcher preview{state};
  const std::string& Text(TextField field) const { return launcher.State().Text(field); }
  // Runs a line whose failures, if any, the test reads from the error box.
  void Run(const std::string& line) { (void)launcher.RunCommand(line); }
};

// Root ignores file permissions, so tests that need an unreadable file skip there. Windows has no
// such permission bits (a file another program holds open is its unreadable file). Found out by
// trying: a file without read permission that can still be read.
inline bool PermissionsApply() {
  static const bool apply = [] {
    const TempDir dir;
    dir.Write("probe", "x");
    std::error_code ignored;
    std::filesystem::permissions(dir.File("probe"), std::filesystem::perms::none, ignored);
    return !std::ifstream(dir.File("probe")).is_open();
  }();
  return apply;
}

// What this process has read from files so far, in bytes, as Linux counts it; 0 where the
// system does not tell.
inline std::uint64_t BytesRead() {
  std::ifstream io("/proc/self/io");
  std::string key;
  std::uint64_t value = 0;
  while (io >> key >> value && key != "rchar:") {
  }
  return value;
}

// The picture a BMP file decodes to; empty when it is refused.
inline Bitmap Decoded(const std::string& bmp) {
  Expected<Bitmap> picture = DecodeBmp(bmp);
  return picture.ok() ? std::move(picture).value() : Bitmap();
}

}  // namespace kovar::test
