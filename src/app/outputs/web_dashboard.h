#pragma once
// The web dashboard of one logger session: web.cfg read, the server made,
// and the session's steps fed to it.
#include <functional>
#include <memory>
#include <string>

#include "app/outputs/dashboard_feed.h"
#include "session/error_reporter.h"
#include "web/web_server.h"

namespace tamsel {

class LoggerSession;

class WebDashboard {
 public:
  WebDashboard(const std::string& programFolder, WebSettings settings, const Clock& clock,
               WebServer::Limits limits = {});

  // The feed the session is made with, as one of its outputs. Once the
  // session has told its start-up, the dashboard serves it; when the server
  // cannot listen (a port in use), the session reports it once and logs on
  // without the dashboard.
  DashboardFeed& feed() { return feed_; }
  // "http://127.0.0.1:8470/" while serving; empty otherwise.
  std::string address() const { return serving ? server.address() : std::string(); }
  // Why the server does not listen, once serve() found it could not.
  const std::string& problem() const { return problem_; }
  // Told the address once the server listens.
  std::function<void(const std::string&)> servingAt;

  WebServer& webServer() { return server; }

 private:
  void serve(LoggerSession& session);

  DashboardFeed feed_;
  WebServer server;
  bool serving = false;
  std::string problem_;
};

// The dashboard as web.cfg asks for it: none when it is switched off or its
// settings cannot be used; what needs the user's attention (settings that
// cannot be used, a password others can read) goes to `reporter`.
// Without a dashboard, `whyNone` (when given) is told why, in a few words.
std::unique_ptr<WebDashboard> makeWebDashboard(const std::string& programFolder, const Clock& clock,
                                               ErrorReporter& reporter,
                                               std::string* whyNone = nullptr);

}  // namespace tamsel
