// What both skins' platforms share: a failure goes to the player's box, or to standard error once
// the system is ending the program and nobody may be there to close a box.
#pragma once

#include <string>

#include "Platform.h"

namespace kovar {

class DesktopPlatform : public Platform {
 public:
  // While on, failures are written to standard error instead of a box.
  void ReportErrorsOnStandardError(bool on) { toStandardError_ = on; }

  void ShowError(const std::string& message) final;

 protected:
  // The skin's modal box, titled with the application's name.
  virtual void ShowErrorBox(const std::string& message) = 0;

 private:
  bool toStandardError_ = false;
};

}  // namespace kovar
