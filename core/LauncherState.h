// The launcher state: every value the launcher keeps while it runs, owned by the core and
// watched by the windows. Text is kept as the bytes it was read or typed as.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "BmpDecoder.h"
#include "Result.h"

namespace kovar {

// The text fields of the state. The first three are the ones the player edits in the main window;
// the map's title, description and level show the loaded map.
enum class TextField : std::size_t {
  EngineText,      // comboEXE
  MapSelection,    // listMap's text
  CustomParams,    // txtCpar
  MapTitle,        // lblMapTitle
  MapDescription,  // lblMapDes
  QuakeDir,
  FirstRun,
  MapLevel,
  Count,
};

// The map loaded last: the name it was loaded by, which is its title, the folder its files came
// from, the two lines of its info file and its preview picture's file; or, when it could not be
// loaded, why, with no level, description or preview, so that it is never launched with the level
// of the map before it.
struct LoadedMap {
  std::string name;
  std::string folder;
  std::string level;
  std::string description;
  std::string preview;
  std::optional<Failure> failure;
};

enum class ListField { EngineList, MapList };

// Told about every change, so that a window can show it. Each observer overrides what it shows.
class StateObserver {
 public:
  virtual ~StateObserver() = default;
  virtual void TextChanged(TextField) {}
  virtual void ListChanged(ListField) {}
  virtual void LogAppended(std::size_t) {}
  // The preview picture changed: show LauncherState::Preview(). A failure says why the picture
  // could not be shown; the core reports it with the action that set it.
  virtual Result PreviewChanged() { return Result::Ok(); }
};

class LauncherState {
 public:
  LauncherState();

  // The current value of a text field.
  const std::string& Text(TextField field) const;
  // Sets a text field other than the loaded map's; observers hear of it only when the value
  // differs, and while changes are held only once the last hold is released.
  void SetText(TextField field, std::string value);

  const LoadedMap& Map() const { return map_; }
  // Sets the loaded map; its fields are told as SetText tells them.
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

  // The preview picture, decoded; empty for none.
  const Bitmap& Preview() const { return preview_; }
  // Sets the preview picture and has the observers show it at once. When one of them cannot, the
  // picture is removed again and its reason returned.
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

  std::array<std::string, static_cast<std::size_t>(TextField::Count)> text_;
  std::vector<std::string> engineList_;
  std::vector<std::string> mapList_;
  std::vector<std::string> log_;
  Bitmap preview_;
  LoadedMap map_;
  std::vector<StateObserver*> observers_;
  int holds_ = 0;
  std::array<bool, static_cast<std::size_t>(TextField::Count)> held_{};
};

}  // namespace kovar
