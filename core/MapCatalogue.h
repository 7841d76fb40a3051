// The map catalogue in `data/`: the map list, and loading the selected map's level name,
// description and preview picture. Also the fixed engine list.
#pragma once

#include <string>
#include <vector>

#include "ActionReport.h"
#include "LauncherState.h"
#include "Result.h"

namespace kovar {

class MapCatalogue {
 public:
  MapCatalogue(const std::string& appDir, LauncherState& state, ActionReport& report);

  // Loads the map named by the map selection text: title, level name, description, preview. The
  // player is shown what failed.
  Result LoadMap();

  // The same within the action in progress (a "map" command), which reports its failures.
  void LoadSelectedMap();

  // Fills the engine list and, from the `data` directory, the map list. Runs once per run;
  // later calls do nothing.
  void FillLists();

  static const std::vector<std::string>& EngineNames();

 private:
  Result ReadInfo(const std::string& path, std::string& level, std::string& description) const;
  Result ShowPreview(const std::string& path);

  const std::string& appDir_;
  LauncherState& state_;
  ActionReport& report_;
  bool listsFilled_ = false;
};

}  // namespace kovar
