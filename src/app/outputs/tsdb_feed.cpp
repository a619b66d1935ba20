#include "app/outputs/tsdb_feed.h"

#include <QHostInfo>
#include <cmath>

#include "platform/numeric_text.h"
#include "platform/qt/latin1.h"
#include "platform/text_file.h"
#include "session/logger_session.h"

namespace tamsel {

TsdbFeed::TsdbFeed(std::unique_ptr<TsdbSender> sender, ErrorReporter& reporter)
    : sender_(std::move(sender)) {
  // Progress and the state file's problems are the user's, whatever dispMessages says.
  QObject::connect(sender_.get(), &TsdbSender::told, sender_.get(),
                   [&reporter](const QString& line) { reporter.attention(toBytes(line)); });
}

void TsdbFeed::sessionMade(LoggerSession& session) {
  QObject::connect(sender_.get(), &TsdbSender::failed, &session, [&session](const QString& reason) {
    session.reportTrapped({"time-series database not reached", toBytes(reason), {}});
  });
  QObject::connect(sender_.get(), &TsdbSender::recovered, &session,
                   [&session] { session.reportNotice("time-series database reached again"); });
}

void TsdbFeed::intervalShown(const std::string& delayText) {
  if (auto seconds = numericValue(delayText); seconds && *seconds >= 1 && *seconds <= 600) {
    sender_->setLogDelay(static_cast<int>(std::lround(*seconds)));
  }
}

void TsdbFeed::recordWritten(const LocalDateTime& /*at*/, const AveragedValues& /*values*/,
                             double /*wattHours*/) {
  sender_->recordWritten();
}

std::unique_ptr<TsdbFeed> startSending(const std::string& programFolder, const Clock& clock,
                                       ErrorReporter& reporter) {
  const std::string path = tsdbConfigPath(programFolder);
  const Result<std::string> text = readWholeFile(path);
  if (!text) {
    // No tsdb.cfg means nothing sent; one that is there was meant to be read.
    if (!isMissing(path))
      reporter.attention("tsdb.cfg cannot be read: " + text.error() + "; nothing is sent");
    return nullptr;
  }
  const TsdbConfig config = readTsdbConfig(*text);
  if (!isTsdbEnabled(config)) return nullptr;
  if ((!config.Password.empty() || !config.Token.empty()) && othersCanRead(path)) {
    reporter.attention(
        "tsdb.cfg holds a password or token that other users can read: chmod 600 tsdb.cfg");
  }
  Result<TsdbSettings> settings = tsdbSettings(config, toBytes(QHostInfo::localHostName()));
  if (!settings) {
    reporter.attention(settings.error() + "; nothing is sent");
    return nullptr;
  }
  return std::make_unique<TsdbFeed>(
      std::make_unique<TsdbSender>(std::move(*settings), programFolder, clock), reporter);
}

}  // namespace tamsel
