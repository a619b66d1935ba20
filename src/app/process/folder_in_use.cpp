#include "app/process/folder_in_use.h"

namespace tamsel {

void tellFolderInUse(Dialogs& dialogs, const std::string& problem, const std::string& dashboard) {
  const QString text = QString::fromStdString(problem);
  if (dashboard.empty()) {
    dialogs.message(nullptr, text);
    return;
  }
  const QString url = QString::fromStdString(dashboard);
  if (dialogs.question(nullptr, text + QStringLiteral(".\n\nThat logger's web dashboard is at ") +
                                    url + QStringLiteral("\nOpen it in the browser?"))) {
    if (!dialogs.openInBrowser(url))
      dialogs.message(nullptr,
                      QStringLiteral("No browser could be opened. The dashboard is at ") + url);
  }
}

}  // namespace tamsel
