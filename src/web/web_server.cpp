#include "web/web_server.h"

#include <QFile>
#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <QTimer>
#include <utility>

#include "web/fixed_answers.h"

namespace tamsel {
namespace {

using StatusCode = QHttpServerResponder::StatusCode;

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

}  // namespace

WebServer::WebServer(std::string programFolder, WebSettings settings, StateSource state,
                     const Clock& clock, Limits limits, QObject* parent)
    : QAbstractHttpServer(parent),
      settings(std::move(settings)),
      state(std::move(state)),
      clock(clock),
      gate(new ClientGate(limits.gate, this)),
      stream(new EventStream([this] { return dashboardReadingJson(this->state()); }, limits.stream,
                             this)),
      days(std::move(programFolder)),
      login(this->settings.password) {
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
  // A stream's connection asks nothing more; one that asks and does not
  // read its answers is not given more to hold.
  if (!client || client->isStreaming()) return true;
  if (socket->bytesToWrite() > kMostUnsentBytes) {
    socket->abort();
    return true;
  }
  client->answered();
  const QUrl url = request.url();
  const Route route =
      routeRequest(methodName(request.method()), url.path(QUrl::FullyEncoded).toStdString(),
                   url.query(QUrl::FullyEncoded).toStdString());
  if (!loggedIn(request, socket)) return true;
  if (route.kind == RouteKind::Events) {
    startStream(request, socket);
    return true;
  }
  const bool dynamic = route.kind != RouteKind::LivePage && route.kind != RouteKind::DayPage &&
                       route.kind != RouteKind::EnergyPage && route.kind != RouteKind::Static &&
                       route.kind != RouteKind::Icon;
  respond(request, socket, answer(route), dynamic);
  return true;
}

void WebServer::missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) {
  respond(request, socket, plainAnswer(404, "Not found.\n"), true);
}

bool WebServer::loggedIn(const QHttpServerRequest& request, QTcpSocket* socket) {
  if (!login.required()) return true;
  const std::string peer = socket->peerAddress().toString().toStdString();
  if (login.accepts(request.value("authorization").toStdString())) {
    login.succeeded(peer);
    return true;
  }
  // The answer waits on a timer, never on the loop, and ends the
  // connection, so nothing asked on it meanwhile is answered before it.
  const int delay = login.failed(peer, uptime.elapsed());
  if (auto* client = qobject_cast<ClientSocket*>(socket)) {
    client->finishWith(unauthorizedAnswer(), delay);
  } else {
    socket->abort();
  }
  return false;
}

WebAnswer WebServer::answer(const Route& route) {
  switch (route.kind) {
    case RouteKind::LivePage:
      return page(QStringLiteral(":/web/index.html"));
    case RouteKind::DayPage:
      return page(QStringLiteral(":/web/day.html"));
    case RouteKind::EnergyPage:
      return page(QStringLiteral(":/web/energy.html"));
    case RouteKind::Static:
      return page(QStringLiteral(":/web/static/") + QString::fromStdString(route.staticName));
    case RouteKind::Reading:
      return {200, "application/json", dashboardReadingJson(state()), {}};
    case RouteKind::Recent:
      return days.recent(recent ? *recent : RecentReadings(), clock.now());
    case RouteKind::Icon:
      return page(QStringLiteral(":/web/tamsel.png"));
    case RouteKind::Metrics:
      return {200, "text/plain; version=0.0.4; charset=utf-8", metricsText(state()), {}};
    case RouteKind::Days:
      return days.days();
    case RouteKind::Day:
      return days.day(route);
    case RouteKind::DayCsv:
      return days.dayCsv(route);
    case RouteKind::Energy:
      return days.energy(route, clock.now(), state().wattHours);
    case RouteKind::BadRequest:
      return jsonError(400, route.error);
    case RouteKind::UriTooLong:
      return plainAnswer(414, "Request line too long.\n");
    case RouteKind::MethodNotAllowed:
      return plainAnswer(405, "Only GET and HEAD are answered.\n");
    case RouteKind::Events:
    case RouteKind::NotFound:
      break;
  }
  return plainAnswer(404, "Not found.\n");
}

WebAnswer WebServer::page(const QString& resource) const {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return plainAnswer(404, "Not found.\n");
  return {200, contentTypeOf(resource.toStdString()), file.readAll().toStdString(), {}};
}

void WebServer::respond(const QHttpServerRequest& request, QTcpSocket* socket,
                        const WebAnswer& answer, bool dynamic) {
  QHttpServerResponder responder = makeResponder(request, socket);
  responder.writeStatusLine(static_cast<StatusCode>(answer.status));
  responder.writeHeader("Content-Type", QByteArray::fromStdString(answer.contentType));
  responder.writeHeader("Content-Length", QByteArray::number(qsizetype(answer.body.size())));
  responder.writeHeader("Content-Security-Policy", kContentSecurityPolicy);
  responder.writeHeader("X-Content-Type-Options", kNoSniff);
  if (dynamic) responder.writeHeader("Cache-Control", "no-store");
  if (answer.status == 405) responder.writeHeader("Allow", "GET, HEAD");
  if (!answer.attachmentName.empty()) {
    responder.writeHeader(
        "Content-Disposition",
        QByteArray::fromStdString("attachment; filename=\"" + answer.attachmentName + "\""));
  }
  const bool head = request.method() == QHttpServerRequest::Method::Head;
  responder.writeBody(head ? "" : answer.body.data(), head ? 0 : qint64(answer.body.size()));
}

void WebServer::startStream(const QHttpServerRequest& request, QTcpSocket* socket) {
  QHttpServerResponder responder = makeResponder(request, socket);
  responder.writeStatusLine(StatusCode::Ok);
  responder.writeHeader("Content-Type", "text/event-stream");
  responder.writeHeader("Cache-Control", "no-store");
  responder.writeHeader("Content-Security-Policy", kContentSecurityPolicy);
  responder.writeHeader("X-Content-Type-Options", kNoSniff);
  responder.writeBody("", 0);
  if (request.method() == QHttpServerRequest::Method::Head) return;
  if (auto* client = qobject_cast<ClientSocket*>(socket)) client->startStreaming();
  stream->follow(socket);
}

}  // namespace tamsel
