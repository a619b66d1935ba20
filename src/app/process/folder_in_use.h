#pragma once
// The window cannot start on a folder another Tamsel is logging in.
#include <string>

#include "platform/qt/dialogs.h"

namespace tamsel {

// Says so; when that logger serves a web dashboard, offers to open it in
// the browser, so the readings can still be seen from here.
void tellFolderInUse(Dialogs& dialogs, const std::string& problem, const std::string& dashboard);

}  // namespace tamsel
