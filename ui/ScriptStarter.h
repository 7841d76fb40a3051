// Starts the launch script the way each desktop expects, without waiting for it.
#pragma once

#include <string>

namespace kovar {

// Starts `scriptPath` detached from the launcher. Returns empty text on success, otherwise why it
// could not be started.
std::string StartScriptDetached(const std::string& scriptPath);

}  // namespace kovar
