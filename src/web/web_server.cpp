#include "web/web_server.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QTcpSocket>
#include <QTimer>
#include <utility>

#include "web/answer_text.h"
#include "web/fixed_answers.h"
#include "web/request_head.h"
#include "web/route_answers.h"
#include "web/route_table.h"

namespace tamsel {
namespace {

// Answers a client has asked for and not read yet: a few full days.
constexpr qint64 kMostUnsentBytes = 4 * 1024 * 1024;

const char* methodName(QHttpServerRequest::Method method) {
  switch (method) {
    case QHttpServerRequest::Method::Get:
      return "GET";
    case QHttpServerRequest::Method::Head:
      return "HEAD";
    default:
      return "OTHER";
  }
}

WebAnswer plainAnswer(int status, const char* text) {
  return {status, "text/plain; charset=utf-8", text, {}};
}

void send(ClientSocket& client, const std::string& text, bool close) {
  client.write(text.data(), static_cast<qint64>(text.size()));
  if (close) client.closeWhenSent();
}

}  // namespace

WebServer::WebServer(std::string programFolder, WebSettings settings, StateSource state,
                     const Clock& clock, Limits limits, QObject* parent)
    : QAbstractHttpServer(parent),
      settings(std::move(settings)),
      live(std::move(state), clock),
      gate(new ClientGate(limits.gate, this)),
      stream(new EventStream([this] { return dashboardReadingJson(live.state()); }, limits.stream,
                             this)),
      days(programFolder),
      performance(std::move(programFolder)),
      login(this->settings.password) {
  gate->setPasswordAsked(login.required());
  uptime.start();
}

WebServer::~WebServer() = default;

Status WebServer::start() {
  const QHostAddress address(QString::fromStdString(settings.address));
  if (!gate->listen(address, static_cast<quint16>(settings.port))) {
    return Status::failure(settings.address + " port " + std::to_string(settings.port) + ": " +
                           gate->errorString().toStdString());
  }
  bind(gate);
  return {};
}

quint16 WebServer::port() const {
  return gate->serverPort();
}

std::string WebServer::address() const {
  const bool v6 = settings.address.find(':') != std::string::npos;
  const std::string host = v6 ? "[" + settings.address + "]" : settings.address;
  return "http://" + host + ":" + std::to_string(port()) + "/";
}

bool WebServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
  auto* client = qobject_cast<ClientSocket*>(socket);
  // A stream's connection asks nothing more, nor does one being closed.
  if (!client || !client->takesRequests()) return true;
  const bool close = client->takeCloseWanted();
  // One that asks and does not read its answers is not given more to hold.
  if (socket->bytesToWrite() > kMostUnsentBytes) {
    socket->abort();
    return true;
  }
  client->answered();
  try {
    answerRequest(request, *client, close);
  } catch (...) {
    // What went wrong (a day too large for memory, say) is this request's
    // alone: it is answered and the logger goes on.
    send(*client, answerText(plainAnswer(500, "Internal error.\n"), {.close = true}), true);
  }
  return true;
}

void WebServer::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
  if (auto* client = qobject_cast<ClientSocket*>(socket))
    send(*client, answerText(plainAnswer(404, "Not found.\n"), {.close = true}), true);
}

void WebServer::answerRequest(const QHttpServerRequest& request, ClientSocket& client, bool close) {
  const bool head = request.method() == QHttpServerRequest::Method::Head;
  if (!login.required() && !isOwnHost(request.value("host").toStdString(), settings.address)) {
    const WebAnswer misdirected =
        plainAnswer(421, "This dashboard answers only to this machine's own address.\n");
    return send(client, answerText(misdirected, {.head = head, .close = true}), true);
  }
  const QUrl url = request.url();
  const Route route =
      routeRequest(methodName(request.method()), url.path(QUrl::FullyEncoded).toStdString(),
                   url.query(QUrl::FullyEncoded).toStdString());
  const int hold = admission(request, client);
  if (hold < 0) return;
  if (route.kind == RouteKind::Events) {
    if (hold == 0) return startStream(client, head);
    return client.holdThen(hold, [this, &client, head] { startStream(client, head); });
  }
  const RouteEntry* entry = routeEntryOf(route.kind);
  const bool dynamic = !entry || !entry->cacheable;
  // A held answer ends its connection, as a refused one does.
  const std::string text =
      answerText(answer(route), {.head = head, .dynamic = dynamic, .close = close || hold > 0});
  if (hold == 0) return send(client, text, close);
  client.finishWith(QByteArray::fromStdString(text), hold);
}

int WebServer::admission(const QHttpServerRequest& request, ClientSocket& client) {
  if (!login.required()) return 0;
  const std::string peer = client.peerKey().toStdString();
  if (!login.accepts(request.value("authorization").toStdString())) {
    // The answer waits on a timer, never on the loop, and ends the
    // connection, so nothing asked on it meanwhile is answered before it.
    client.finishWith(unauthorizedAnswer(), login.failed(peer, uptime.elapsed()));
    return -1;
  }
  const int hold = login.holdMs(peer, uptime.elapsed());
  if (hold == 0) {
    login.succeeded(peer);
    client.knownNow();
  }
  return hold;
}

// The refusals the router decides on; every other answer is its route's.
WebAnswer WebServer::answer(const Route& route) {
  switch (route.kind) {
    case RouteKind::BadRequest:
      return jsonError(400, route.error);
    case RouteKind::UriTooLong:
      return plainAnswer(414, "Request line too long.\n");
    case RouteKind::MethodNotAllowed:
      return plainAnswer(405, "Only GET and HEAD are answered.\n");
    default:
      break;
  }
  AnswerSources sources{days, live, performance};
  return routeAnswer(sources, route);
}

void WebServer::startStream(ClientSocket& client, bool head) {
  if (stream->full()) {
    const WebAnswer busy = plainAnswer(503, "Too many live pages open; try again later.\n");
    return send(client, answerText(busy, {.head = head, .dynamic = true, .close = true}), true);
  }
  const std::string text = eventStreamHead();
  client.write(text.data(), static_cast<qint64>(text.size()));
  if (head) return;
  client.startStreaming();
  stream->follow(&client);
}

}  // namespace tamsel
