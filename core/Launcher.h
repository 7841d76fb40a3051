// The launcher's operations over its state: the command interpreter, the map catalogue, start-up,
// the settings files and the game launch. One object per run; the windows call into it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "FileLocations.h"
#include "FileSystem.h"
#include "LauncherState.h"
#include "Platform.h"

namespace kovar {

class Launcher {
 public:
  // `files` names the application directory (the executable's, which holds the launcher's files)
  // and, when it cannot be written, the per-user folder of the player's own files.
  Launcher(FileLocations files, Platform& platform);

  LauncherState& State() { return state_; }
  const LauncherState& State() const { return state_; }
  const std::string& AppDir() const { return appDir_; }

  // Executes one command line: logs it, then runs it. Failures are shown to the player once,
  // together, when the outermost call returns. Returns true when anything failed.
  bool RunCommand(const std::string& line);

  // True when `line` begins with `keyword` followed by one space (exact, case-sensitive).
  static bool IsCommand(const std::string& line, const std::string& keyword);

  // Loads the map named by the map selection text: title, level name, description, preview.
  // Returns true when anything failed (already shown to the player).
  bool LoadMap();

  // Fills the engine list and, from the `data` directory, the map list. Runs once per run;
  // later calls do nothing.
  void FillLists();

  // Start-up: runs "exec auto.kvx", shows the main window and asks for the Quake directory on a
  // first run. Returns false when the start script could not be read: the program must then end
  // without saving.
  bool Main();

  // Asks the player for the Quake directory; a non-empty answer becomes QuakeDir.
  void SetQuakeDir();

  // Writes config.kvx and then settings.kvx. Returns true when anything failed (already shown).
  bool SaveCFG();

  // Builds the engine command line, writes the launch script and starts it without waiting.
  // Returns true when anything failed or the launch was refused (already shown to the player).
  bool StartGame();

  static const std::vector<std::string>& EngineNames();

 private:
  // One player-visible action: the failures of everything it runs are shown in one box when
  // the outermost action ends, and its text changes reach the windows once, at its end.
  class Action {
   public:
    explicit Action(Launcher& launcher);
    Action(const Action&) = delete;
    Action& operator=(const Action&) = delete;
    ~Action();
    // True when something failed since this action began.
    bool Failed() const { return launcher_.failures_.size() > before_; }

   private:
    Launcher& launcher_;
    std::size_t before_;
  };
  enum class ExecResult { Ran, NotOpened, ReadFailed };

  void Fail(std::string message);
  // Starts the bounds on what one top-level command may run.
  void BeginCommand();
  void Execute(const std::string& line);
  ExecResult Exec(const std::string& argument);
  void LoadMapInfo();
  void NoteUnreadable(const std::string& path);
  bool SaveFile(const std::string& name, const std::vector<std::string>& lines, bool unreadable);

  std::string appDir_;
  FileLocations files_;
  Platform& platform_;
  LauncherState state_;
  bool listsFilled_ = false;

  // Failures of the action in progress, shown together when the outermost action ends.
  int actionDepth_ = 0;
  std::vector<std::string> failures_;

  // The chain of command files being executed, and what one top-level command has run so far.
  std::vector<FileId> execChain_;
  std::size_t execDepth_ = 0;
  std::size_t filesOpened_ = 0;
  std::size_t linesRun_ = 0;
  std::size_t bytesRun_ = 0;
  bool budgetSpent_ = false;

  // Settings files that exist where a save would write them but could not be read in this run: a
  // save must not replace them.
  bool configUnreadable_ = false;
  bool settingsUnreadable_ = false;
};

}  // namespace kovar
