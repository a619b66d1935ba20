#include "app/core/web_dashboard.h"

#include <sys/stat.h>

#include "app/core/error_report.h"
#include "app/core/logger_session.h"
#include "platform/text_file.h"

namespace tamsel {
namespace {

bool othersCanRead(const std::string& path) {
  struct stat info = {};
  return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IRGRP | S_IROTH)) != 0;
}

}  // namespace

WebDashboard::WebDashboard(const std::string& programFolder, WebSettings settings,
                           const Clock& clock, WebServer::Limits limits)
    : feed_(clock),
      server(
          programFolder, std::move(settings), [this] { return feed_.state(); }, clock, limits) {
  feed_.readingChanged = [this] { server.readingChanged(); };
  server.serveRecent(&feed_.recentReadings());
}

void WebDashboard::serve(LoggerSession& session) {
  if (serving) return;
  feed_.watch(session);
  if (Status started = server.start(); !started) {
    problem_ = started.error;
    session.reportNotice("Web dashboard not started: " + started.error);
    return;
  }
  serving = true;
  if (servingAt) servingAt(server.address());
}

std::unique_ptr<WebDashboard> makeWebDashboard(const std::string& programFolder, const Clock& clock,
                                               std::ostream& messages, std::string* whyNone) {
  const std::string path = webConfigPath(programFolder);
  auto none = [whyNone](const std::string& why) {
    if (whyNone) *whyNone = why;
    return nullptr;
  };
  auto note = [&](const std::string& message) {
    messages << appendToErrorLog(programFolder, clock.now(), {message, {}, {}}) << std::endl;
  };
  WebConfig config;  // without web.cfg: on, for this machine only
  if (!isMissing(path)) {
    const Result<std::string> text = readWholeFile(path);
    if (!text) {
      note("web.cfg cannot be read: " + text.error() + "; no web dashboard");
      return none("web.cfg cannot be read");
    }
    config = readWebConfig(*text);
  }
  if (!isWebEnabled(config)) return none("Enabled is not 1 in web.cfg");
  const Result<WebSettings> settings = webSettings(config);
  if (!settings) {
    note(settings.error() + "; no web dashboard");
    return none(settings.error());
  }
  if (!settings->password.empty() && othersCanRead(path)) {
    note("web.cfg holds a password that other users can read: chmod 600 web.cfg");
  }
  return std::make_unique<WebDashboard>(programFolder, *settings, clock);
}

}  // namespace tamsel
