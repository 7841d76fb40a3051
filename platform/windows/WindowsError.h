// The system's text for a Windows error, for the Windows implementations of the platform files.
#pragma once

#include <string>

namespace kovar {

// The text for the calling thread's last Windows error, without its final full stop.
std::string LastWindowsError();

}  // namespace kovar
