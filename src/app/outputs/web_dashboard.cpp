#include "app/outputs/web_dashboard.h"

#include "platform/text_file.h"
#include "session/logger_session.h"

namespace tamsel {

WebDashboard::WebDashboard(const std::string& programFolder, WebSettings settings,
                           const Clock& clock, WebServer::Limits limits)
    : feed_(clock),
      server(
          programFolder, std::move(settings), [this] { return feed_.state(); }, clock, limits) {
  feed_.readingChanged = [this] { server.readingChanged(); };
  feed_.startUpDone = [this](LoggerSession& session) { serve(session); };
  server.serveRecent(&feed_.recentReadings());
}

void WebDashboard::serve(LoggerSession& session) {
  if (serving) return;
  if (Status started = server.start(); !started) {
    problem_ = started.error;
    session.reportNotice("Web dashboard not started: " + started.error);
    return;
  }
  serving = true;
  if (servingAt) servingAt(server.address());
}

std::unique_ptr<WebDashboard> makeWebDashboard(const std::string& programFolder, const Clock& clock,
                                               ErrorReporter& reporter, std::string* whyNone) {
  const std::string path = webConfigPath(programFolder);
  auto none = [whyNone](const std::string& why) {
    if (whyNone) *whyNone = why;
    return nullptr;
  };
  WebConfig config;  // without web.cfg: on, for this machine only
  if (!isMissing(path)) {
    const Result<std::string> text = readWholeFile(path);
    if (!text) {
      reporter.attention("web.cfg cannot be read: " + text.error() + "; no web dashboard");
      return none("web.cfg cannot be read");
    }
    config = readWebConfig(*text);
  }
  if (!isWebEnabled(config)) return none("Enabled is not 1 in web.cfg");
  const Result<WebSettings> settings = webSettings(config);
  if (!settings) {
    reporter.attention(settings.error() + "; no web dashboard");
    return none(settings.error());
  }
  if (!settings->password.empty() && othersCanRead(path)) {
    reporter.attention("web.cfg holds a password that other users can read: chmod 600 web.cfg");
  }
  return std::make_unique<WebDashboard>(programFolder, *settings, clock);
}

}  // namespace tamsel
