// Starting the launch script on Linux and on Windows.
#include "ScriptStarter.h"

namespace kovar {

std::string StartScriptDetached(const std::string& scriptPath) {
  return "starting \"" + scriptPath + "\" is not built yet";
}

}  // namespace kovar
