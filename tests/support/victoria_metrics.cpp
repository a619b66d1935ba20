#include "support/victoria_metrics.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "support/free_port.h"
#include "support/wait_until.h"

namespace tamsel::test {

VictoriaMetrics::VictoriaMetrics(std::string username, std::string password)
    : port_(freeLocalPort()), username_(std::move(username)), password_(std::move(password)) {}

bool VictoriaMetrics::start() {
  std::vector<std::string> argv{"/usr/bin/victoria-metrics",
                                "-httpListenAddr=127.0.0.1:" + std::to_string(port_),
                                "-storageDataPath=" + storage_.file("data"),
                                "-retentionPeriod=100y",
                                "-dedup.minScrapeInterval=1ms",
                                "-loggerLevel=ERROR"};
  if (!username_.empty()) {
    argv.push_back("-httpAuth.username=" + username_);
    argv.push_back("-httpAuth.password=" + password_);
  }
  return server_.start(argv, storage_.file("vm.log"), {.display = false}) &&
         waitUntil([&] { return get("/health") == "OK"; }, 20000);
}

std::string VictoriaMetrics::writeUrl() const {
  return "http://127.0.0.1:" + std::to_string(port_) + "/write";
}

std::string VictoriaMetrics::get(const std::string& target) const {
  QNetworkAccessManager network;
  QNetworkRequest request(
      QUrl(QString::fromStdString("http://127.0.0.1:" + std::to_string(port_) + target)));
  if (!username_.empty()) {
    request.setRawHeader(
        "Authorization",
        "Basic " + QByteArray::fromStdString(username_ + ":" + password_).toBase64());
  }
  request.setTransferTimeout(10000);
  QNetworkReply* reply = network.get(request);
  QEventLoop loop;
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec();
  reply->deleteLater();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  return status == 200 ? reply->readAll().toStdString() : std::string();
}

std::map<std::string, Series> VictoriaMetrics::exported() const {
  get("/internal/force_flush");
  std::map<std::string, Series> all;
  const std::string text = get("/api/v1/export?match%5B%5D=%7B__name__%3D~%22tamsel_.*%22%7D");
  for (const QByteArray& line : QByteArray::fromStdString(text).split('\n')) {
    const QJsonObject series = QJsonDocument::fromJson(line).object();
    if (series.isEmpty()) continue;
    Series& s = all[series["metric"]["__name__"].toString().toStdString()];
    for (const QJsonValue& t : series["timestamps"].toArray()) {
      s.timestampsMs.push_back(static_cast<long long>(t.toDouble()));
    }
    for (const QJsonValue& v : series["values"].toArray()) s.values.push_back(v.toDouble());
  }
  return all;
}

}  // namespace tamsel::test
