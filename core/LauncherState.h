// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher state: every value the launcher keeps while it runs, owned by the core and
// watched by the windows. Text is kept as the bytes it was read or typed as.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "BmpDecoder.h"
#include "LocatedFile.h"
#include "Result.h"

namespace kovar {

// The text fields of the state. The first three are the ones the player edits in the main window;
// the map loaded last is a value of its own (LoadedMap).
enum class TextField : std::size_t {
  EngineText,    // comboEXE
  MapSelection,  // listMap's text
  CustomParams,  // txtCpar
  QuakeDir,
  FirstRun,
  Count,
};

// The map loaded last: the name it was loaded by, which is its title, the folder its files came
// from, the two lines of its info file and its preview picture; or, when it could not be loaded,
// why, with no level, description or preview, so that it is never launched with the level of the
// map before it.
struct LoadedMap {
  std::string name;
  std::string folder;
  std::string level;
  std::string description;
  // The preview picture's file; its path is empty when there is none to show.
  LocatedFile preview;
  // The preview as the windows show it, decoded; empty for none. While `picturePending`, it is
  // still the picture shown before this map was loaded.
  Bitmap picture;
  // The picture is yet to be read from `preview` and shown, once the command that loaded the map
  // has ended: a command that loads maps thousands of times decodes one picture.
  bool picturePending = false;
  std::optional<Failure> failure;
};

// The loaded map's texts that the main window shows.
enum class MapText : std::size_t { Title, Description, Count };

enum class ListField { EngineList, MapList };

// Told about every change, so that a window can show it. Each observer overrides what it shows.
class StateObserver {
 public:
  virtual ~StateObserver() = default;
  virtual void TextChanged(TextField) {}
  virtual void MapTextChanged(MapText) {}
  virtual void ListChanged(ListField) {}
  virtual void LogAppended(std::size_t) {}
  // The preview picture changed: show the map's picture. A failure says why the picture
  // could not be shown; the core reports it with the action that set it.
  virtual Result PreviewChanged() { return Result::Ok(); }
};

class LauncherState {
 public:
  LauncherState();

  // The current value of a text field.
  const std::string& Text(TextField field) const;
  // Sets a text field; observers hear of it only when the value differs, and while changes are
  // held only once the last hold is released.
  void SetText(TextField field, std::string value);

  const LoadedMap& Map() const { return map_; }
  // Sets the loaded map; its texts are told as SetText tells them. The picture shown stays until
  // SetPreview shows the map's own.
  void SetMap(LoadedMap map);

  // Holds back text change notices until the matching release, then tells each changed field
  // once: a command file that sets a field thousands of times has it shown once, not redrawn at
  // every line. Holds nest.
  void HoldTextChanges();
  void ReleaseTextChanges();

  const std::vector<std::string>& List(ListField field) const;
  void SetList(ListField field, std::vector<std::string> entries);

  // Every command line executed so far, oldest first.
  const std::vector<std::string>& Log() const { return log_; }
  void AppendLog(const std::string& line);

  // Sets the loaded map's picture, which is then no longer pending, and has the observers show it
  // at once. When one of them cannot, the picture is removed again and its reason returned.
  Result SetPreview(Bitmap picture);

  void AddObserver(StateObserver* observer);
  void RemoveObserver(StateObserver* observer);

 private:
  // By index, so that an observer added while others are told does not upset the loop.
  template <typename Call>
  void Notify(Call call) {
    for (std::size_t i = 0; i < observers_.size(); ++i) call(observers_[i]);
  }
  void TextChanged(TextField field);
  void MapTextChanged(MapText text);

  std::array<std::string, static_cast<std::size_t>(TextField::Count)> text_;
  std::vector<std::string> engineList_;
  std::vector<std::string> mapList_;
  std::vector<std::string> log_;
  LoadedMap map_;
  std::vector<StateObserver*> observers_;
  int holds_ = 0;
  std::array<bool, static_cast<std::size_t>(TextField::Count)> held_{};
  std::array<bool, static_cast<std::size_t>(MapText::Count)> heldMap_{};
};

}  // namespace kovar
