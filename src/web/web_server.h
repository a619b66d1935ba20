#pragma once
// The web dashboard's HTTP server, on the program's event loop. Qt's HTTP
// server parses the requests; the request router decides what each gets;
// the gate in front bounds the clients and what they may send; the route
// table says what makes each answer and whether a cache may keep it. Every answer
// carries the content security policy and nosniff headers. Nothing here
// waits: a slow client gets its answer from the socket's buffer, or is
// dropped. Without a password only requests naming this machine's own
// address are answered, so no other site's page can read the dashboard
// through a name of its own pointed at this machine. Nothing a request
// throws ends the logger: it is answered 500.
#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/status.h"
#include "web/client_gate.h"
#include "web/dashboard_state.h"
#include "web/day_answers.h"
#include "web/event_stream.h"
#include "web/live_answers.h"
#include "web/login_throttle.h"
#include "web/performance_answers.h"
#include "web/request_router.h"
#include "web/web_settings.h"

namespace tamsel {

class WebServer : public QAbstractHttpServer {
  Q_OBJECT
 public:
  struct Limits {
    ClientGate::Limits gate;
    EventStream::Limits stream;
  };
  // What the logger shows now, asked for when an answer needs it.
  using StateSource = LiveAnswers::StateSource;

  WebServer(std::string programFolder, WebSettings settings, StateSource state, const Clock& clock,
            Limits limits = {}, QObject* parent = nullptr);
  ~WebServer() override;

  // Starts listening; the failure names the address and the system's reason.
  Status start();
  quint16 port() const;
  // "http://127.0.0.1:8470/" once listening.
  std::string address() const;

  // A reading was accepted: the event stream's clients hear of it.
  void readingChanged() { stream->changed(); }
  // The readings kept for a live page just opened; none until this is called.
  void serveRecent(const RecentReadings* readings) { live.serveRecent(readings); }

  int clientCount() const { return gate->clientCount(); }
  int streamCount() const { return stream->clientCount(); }
  const DayAnswers& dayAnswers() const { return days; }
  // How long answers to `peer` are held now for its failed logins.
  int loginHoldMs(const std::string& peer) const { return login.holdMs(peer, uptime.elapsed()); }

 protected:
  bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
  void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

 private:
  void answerRequest(const QHttpServerRequest& request, ClientSocket& client, bool close);
  WebAnswer answer(const Route& route);
  void startStream(ClientSocket& client, bool head);
  // How long the answer is held (the address is being throttled), or -1
  // when the request was refused for want of the password and is answered.
  int admission(const QHttpServerRequest& request, ClientSocket& client);

  const WebSettings settings;
  LiveAnswers live;
  ClientGate* const gate;
  EventStream* const stream;
  DayAnswers days;
  PerformanceAnswers performance;
  LoginThrottle login;
  QElapsedTimer uptime;  // the login throttle's clock
};

}  // namespace tamsel
