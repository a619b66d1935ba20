#include "tsdb/tsdb_sender.h"

#include <QFile>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <QUrlQuery>
#include <algorithm>
#if QT_CONFIG(ssl)
#include <QSslCertificate>
#include <QSslConfiguration>
#endif

#include "platform/text_file.h"
#include "tsdb/gzip.h"

namespace tamsel {
namespace {

// Gzip pays from a few protocol lines on; a live record goes plain.
constexpr size_t kSmallestGzipBody = 1024;
constexpr size_t kLongestReason = 300;
// A server that takes a connection and never answers counts as failing.
constexpr int kAnswerMilliseconds = 60000;
// "sent N of M days" at most this often, and always for the last day.
constexpr qint64 kProgressMilliseconds = 5000;

// The write address with precision=s, whatever precision it named.
QUrl writeUrl(const std::string& url) {
  QUrl address(QString::fromStdString(url));
  QUrlQuery query(address);
  query.removeAllQueryItems("precision");
  query.addQueryItem("precision", "s");
  address.setQuery(query);
  return address;
}

// The server's own words for a refusal, on one line and not too long.
QString reasonOf(QNetworkReply* reply) {
  QString body = QString::fromUtf8(reply->readAll()).simplified();
  if (body.size() > static_cast<qsizetype>(kLongestReason)) {
    body = body.left(kLongestReason) + "…";
  }
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status == 0) return reply->errorString();
  const QString head = QString("HTTP %1").arg(status);
  return body.isEmpty() ? head + " " + reply->errorString() : head + ": " + body;
}

}  // namespace

TsdbSender::TsdbSender(TsdbSettings settings, std::string programFolder, const Clock& clock)
    : settings(std::move(settings)),
      programFolder(std::move(programFolder)),
      clock(clock),
      queue(this->programFolder + "/logs", this->settings.site) {
  retry.setSingleShot(true);
  connect(&retry, &QTimer::timeout, this, &TsdbSender::sendNext);
}

TsdbSender::~TsdbSender() {
  stop();
}

void TsdbSender::start() {
  if (started) return;
  started = true;
  const CalendarDate today = calendarDate(clock.now());
  const std::vector<CalendarDate> days = queue.days();
  const std::string path = statePath();
  std::optional<SendPosition> saved;
  if (!isMissing(path)) {
    const Result<std::string> text = readWholeFile(path, 4096);
    if (text) saved = readSendState(*text);
    if (!saved) {
      emit told(QString::fromStdString("tsdb.state holds no position" +
                                       (text ? std::string() : ": " + text.error()) +
                                       "; sending starts as if it were not there"));
    }
  }
  if (saved) {
    position = *saved;
  } else if (settings.history && !days.empty()) {
    position = {days.front(), 0};
  } else {
    position = {today, 0};
  }
  for (const CalendarDate& day : days) {
    if (day >= position.day && day < today) historyDays.push_back(day);
  }
  pending = queue.linesAfter(position);
  sinceProgress.start();
  sendNext();
}

void TsdbSender::recordWritten() {
  ++pending;
  if (!started || stopped || reply || retry.isActive() || waking) return;
  waking = true;
  QTimer::singleShot(0, this, [this] {
    waking = false;
    if (!reply && !retry.isActive()) sendNext();
  });
}

void TsdbSender::stop() {
  stopped = true;
  retry.stop();
  if (reply) {
    QNetworkReply* open = reply;
    reply = nullptr;
    open->abort();
    open->deleteLater();
  }
}

void TsdbSender::sendNext() {
  if (stopped || reply) return;
  inFlight = queue.next(position, logDelay, kBatchRecords);
  if (!inFlight.problem.empty()) {
    failing(QString::fromStdString(inFlight.problem));
    return;
  }
  if (inFlight.records == 0) {
    // Only lines that are no records: passed over without asking the server.
    if (inFlight.end != position) taken();
    return;
  }
  post(!gzipRefused && inFlight.body.size() >= kSmallestGzipBody);
}

void TsdbSender::post(bool compressed) {
  QNetworkRequest request(writeUrl(settings.url));
  request.setHeader(QNetworkRequest::ContentTypeHeader, "text/plain; charset=utf-8");
  request.setTransferTimeout(kAnswerMilliseconds);
  if (!settings.token.empty()) {
    request.setRawHeader("Authorization", QByteArray("Token ") + settings.token.c_str());
  } else if (!settings.username.empty()) {
    const QByteArray pair =
        QByteArray::fromStdString(settings.username + ":" + settings.password).toBase64();
    request.setRawHeader("Authorization", "Basic " + pair);
  }
#if QT_CONFIG(ssl)
  if (!settings.caFile.empty()) {
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.addCaCertificates(QSslCertificate::fromPath(QString::fromStdString(settings.caFile)));
    request.setSslConfiguration(tls);
  }
#endif
  QByteArray body;
  if (compressed) {
    const std::string squeezed = gzipped(inFlight.body);
    compressed = !squeezed.empty();
    if (compressed) body = QByteArray::fromStdString(squeezed);
  }
  if (compressed) {
    request.setRawHeader("Content-Encoding", "gzip");
  } else {
    body = QByteArray::fromStdString(inFlight.body);
  }
  reply = network.post(request, body);
  reply->setProperty("gzip", compressed);
  QNetworkReply* asked = reply;
  connect(asked, &QNetworkReply::finished, this, [this, asked] { answered(asked); });
}

void TsdbSender::answered(QNetworkReply* answer) {
  answer->deleteLater();
  if (answer != reply) return;  // aborted by stop()
  reply = nullptr;
  const int status = answer->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (answer->error() == QNetworkReply::NoError && status >= 200 && status < 300) {
    taken();
    return;
  }
  // A server that does not take gzip says so to the first squeezed body;
  // the same lines go again, plain, at once.
  if (answer->property("gzip").toBool() && (status == 415 || status == 400)) {
    gzipRefused = true;
    post(false);
    return;
  }
  failing(reasonOf(answer));
}

void TsdbSender::taken() {
  const bool moved = inFlight.end != position;
  position = inFlight.end;
  if (Status saved = replaceFile(statePath(), sendStateText(position)); !saved) {
    if (stateProblem != saved.error) {
      stateProblem = saved.error;
      emit told(QString::fromStdString("tsdb.state cannot be written: " + saved.error));
    }
  }
  sent += static_cast<std::uint64_t>(inFlight.records);
  pending -= inFlight.consumed;
  if (inFlight.finishedDay) {
    newestSentDay = std::max(newestSentDay.value_or(CalendarDate{}), *inFlight.finishedDay);
  }
  retrySeconds = 1;
  if (outage) {
    outage = false;
    emit recovered();
  }
  tellProgress();
  // More may be waiting: the next batch after the event loop had its turn.
  if (moved) {
    waking = true;
    QTimer::singleShot(0, this, [this] {
      waking = false;
      sendNext();
    });
  }
}

void TsdbSender::failing(const QString& reason) {
  if (!outage) {
    outage = true;
    emit failed(reason);
  }
  retry.start(retrySeconds * 1000);
  retrySeconds = std::min(retrySeconds * 2, kLongestRetrySeconds);
}

void TsdbSender::tellProgress() {
  if (historyDays.empty() || !newestSentDay) return;
  const size_t done =
      static_cast<size_t>(std::upper_bound(historyDays.begin(), historyDays.end(), *newestSentDay) -
                          historyDays.begin());
  if (done == lastToldDays) return;
  const bool last = done == historyDays.size();
  if (!last && sinceProgress.elapsed() < kProgressMilliseconds && lastToldDays > 0) return;
  lastToldDays = done;
  sinceProgress.restart();
  emit told(QString("sent %1 of %2 days").arg(done).arg(historyDays.size()));
}

}  // namespace tamsel
