// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher state and its change notification.
#include "LauncherState.h"

#include <algorithm>
#include <utility>

#include "Engines.h"

namespace kovar {

LauncherState::LauncherState() {
  text_[static_cast<std::size_t>(TextField::EngineText)] = kInitialEngine;
}

const std::string& LauncherState::Text(TextField field) const {
  return text_[static_cast<std::size_t>(field)];
}

void LauncherState::SetText(TextField field, std::string value) {
  std::string& slot = text_[static_cast<std::size_t>(field)];
  if (slot == value) return;
  slot = std::move(value);
  TextChanged(field);
}

void LauncherState::SetMap(LoadedMap map) {
  map.picture = std::move(map_.picture);
  std::swap(map_, map);
  if (map_.name != map.name) MapTextChanged(MapText::Title);
  if (map_.description != map.description) MapTextChanged(MapText::Description);
}

void LauncherState::TextChanged(TextField field) {
  if (holds_ > 0) {
    held_[static_cast<std::size_t>(field)] = true;
    return;
  }
  Notify([field](StateObserver* o) { o->TextChanged(field); });
}

void LauncherState::MapTextChanged(MapText text) {
  if (holds_ > 0) {
    heldMap_[static_cast<std::size_t>(text)] = true;
    return;
  }
  Notify([text](StateObserver* o) { o->MapTextChanged(text); });
}

void LauncherState::HoldTextChanges() { ++holds_; }

void LauncherState::ReleaseTextChanges() {
  if (holds_ == 0 || --holds_ > 0) return;
  for (std::size_t i = 0; i < held_.size(); ++i) {
    if (!held_[i]) continue;
    held_[i] = false;
    const auto field = static_cast<TextField>(i);
    Notify([field](StateObserver* o) { o->TextChanged(field); });
  }
  for (std::size_t i = 0; i < heldMap_.size(); ++i) {
    if (!std::exchange(heldMap_[i], false)) continue;
    const auto text = static_cast<MapText>(i);
    Notify([text](StateObserver* o) { o->MapTextChanged(text); });
  }
}

const std::vector<std::string>& LauncherState::List(ListField field) const {
  return field == ListField::EngineList ? engineList_ : mapList_;
}

void LauncherState::SetList(ListField field, std::vector<std::string> entries) {
  (field == ListField::EngineList ? engineList_ : mapList_) = std::move(entries);
  Notify([field](StateObserver* o) { o->ListChanged(field); });
}

void LauncherState::AppendLog(const std::string& line) {
  log_.push_back(line);
  const std::size_t index = log_.size() - 1;
  Notify([index](StateObserver* o) { o->LogAppended(index); });
}

Result LauncherState::SetPreview(Bitmap picture) {
  map_.picture = std::move(picture);
  map_.picturePending = false;
  Result shown = Result::Ok();
  for (std::size_t i = 0; i < observers_.size() && shown.ok(); ++i) {
    shown = observers_[i]->PreviewChanged();
  }
  if (shown.failed() && !map_.picture.Empty()) {
    map_.picture = Bitmap();
    // Removing a picture cannot fail.
    Notify([](StateObserver* o) { (void)o->PreviewChanged(); });
  }
  return shown;
}

void LauncherState::AddObserver(StateObserver* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
    observers_.push_back(observer);
  }
}

void LauncherState::RemoveObserver(StateObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

}  // namespace kovar
