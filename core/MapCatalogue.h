// SPDX-FileCopyrightText: 2026 Velmont and the Kovar Launcher developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The map catalogue: the installed maps in `data/` and, where the player's files live in a per-user
// folder, the player's own in its `data/`; the map list, and loading the selected map's level name,
// description and preview picture. Also the fixed engine list.
#pragma once

#include <future>
#include <string>
#include <vector>

#include "ActionReport.h"
#include "FileLocations.h"
#include "LauncherState.h"
#include "Result.h"

namespace kovar {

class MapCatalogue {
 public:
  MapCatalogue(const FileLocations& files, LauncherState& state, ActionReport& report);

  // Loads the map named by the map selection text: title, level name, description, preview. The
  // player is shown what failed.
  Result LoadMap();

  // The same within the action in progress (a "map" command), which reports its failures; of the
  // preview only the size and headers are read here, and ShowSelectedPreview shows it.
  void LoadSelectedMap();

  // Reads, decodes and shows the preview of the map loaded last, once the command that loaded it
  // has ended: a command that loads maps thousands of times decodes one picture. A preview that
  // changed meanwhile is checked again here. Nothing when no map was loaded since.
  void ShowSelectedPreview();

  // Fills the engine list and the map list: the installed maps, then the player's own, each in the
  // order of its folder's listing; a map of the player's replaces an installed one of the same
  // name. Runs once per run; later calls do nothing. Takes the listing StartListing began, once
  // it ends.
  void FillLists();

  // Begins listing the map folders on a thread of its own, so that the windows can be made
  // meanwhile; FillLists takes its result. Where no thread can be started, FillLists lists them.
  void StartListing();

 private:
  // The map names of both folders as FillLists gives them, and why a folder could not be listed;
  // reads only the folders' names, so it may run on another thread.
  struct Listing {
    std::vector<std::string> names;
    std::vector<Failure> failures;
  };
  Listing ListMaps() const;
  // The map of that name, as its info file describes it, with its picture pending; or why it
  // could not be loaded, which is reported.
  LoadedMap ReadMap(const std::string& name);
  // The folder the map's files are read from: the player's own catalogue when it has an entry of
  // that name (one that cannot be read is reported, not replaced by the installed map), otherwise
  // the installed one.
  LocatedFile FolderOf(const std::string& name) const;
  // The two lines of a map's info file.
  struct MapInfo {
    std::string level;
    std::string description;
  };
  Expected<MapInfo> ReadInfo(const LocatedFile& infoFile) const;
  Result ShowPreview(const LocatedFile& preview);
  // Reports that the preview of `map` cannot be shown.
  void FailPreview(const LoadedMap& map, const Failure& failure);

  const FileLocations& files_;
  LauncherState& state_;
  ActionReport& report_;
  bool listsFilled_ = false;
  std::future<Listing> listing_;
};

}  // namespace kovar
