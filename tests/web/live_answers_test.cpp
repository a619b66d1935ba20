// The live reading, the metrics and the event stream against the session's state.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QJsonArray>
#include <QProcess>

#include "config/alarm_config.h"
#include "platform/number_format.h"
#include "support/wait_until.h"
#include "telemetry/live_display.h"
#include "web/web_fixture.h"

namespace tamsel::test {
namespace {

using LiveTest = WebTest;

// The rows are the ones a window shows of the same session, with its options.
TEST_F(LiveTest, ReadingIsTheDecodedReadingWithTheWindowsRows) {
  startLogger();
  serial.deliver(kGoodFrame);
  const HttpReply reply = get("/api/reading");
  ASSERT_EQ(reply.status, 200);
  EXPECT_EQ(reply.header("content-type"), "application/json");
  EXPECT_EQ(reply.header("cache-control"), "no-store");
  const QJsonObject o = json(reply);
  const Reading& r = session().currentReading();
  EXPECT_EQ(o["time"].toString(), "2010-05-23T14:05:33");
  EXPECT_EQ(o["volts"].toDouble(), r.voltsValue);
  EXPECT_EQ(o["amps"].toDouble(), r.ampsValue);
  EXPECT_EQ(o["watts"].toDouble(), r.wattsValue);
  EXPECT_EQ(o["rpm"].toDouble(), r.rpmValue);
  EXPECT_EQ(o["windSpeed"].toDouble(), 6.5);
  EXPECT_EQ(o["wattHoursToday"].toDouble(), session().wattHours());
  const std::vector<ListRow> rows = readingRows(r, session().wattHours(), {true, true, "mph"});
  const QJsonArray shown = o["rows"].toArray();
  ASSERT_EQ(shown.size(), static_cast<qsizetype>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(shown[i]["value"].toString().toStdString(), rows[i].value);
    EXPECT_EQ(shown[i]["name"].toString().toStdString(), rows[i].name);
  }
  EXPECT_TRUE(o["portOpen"].toBool());
  EXPECT_TRUE(o["logging"]["on"].toBool());
  EXPECT_EQ(o["counters"]["frames"].toInt(), 1);

  serial.deliver("[<V>500</V><I>164</I><R>5</R><S>13</S><C>1</C>]");
  const QJsonObject after = json(get("/api/reading"));
  EXPECT_EQ(after["counters"]["frames"].toInt(), 2);
  EXPECT_EQ(after["counters"]["checksumErrors"].toInt(), 1);
  EXPECT_NE(after["lastError"].toString().indexOf("checksum error"), -1);
}

// Twelve minutes after the board went quiet and its port hung up, the page
// must not read as live: the reading's age, the port's problem, and the
// error gone once the port is back. The event stream tells each at once.
TEST_F(LiveTest, ASilentBoardShowsItsAgeAndItsPortProblemUntilThePortIsBack) {
  startLogger();
  HttpClient events(port());
  events.send("GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
  ASSERT_TRUE(events.waitFor("\n\n"));
  serial.deliver(kGoodFrame);
  ASSERT_TRUE(events.waitFor("\"frames\":1,"));
  clock.set({2010, 5, 23, 14, 17, 33});
  serial.lose(QStringLiteral("device disconnected (hung up)"));
  ASSERT_TRUE(
      events.waitFor("\"portOpen\":false,\"portProblem\":\"port not available  device "
                     "disconnected (hung up)\""));
  const QJsonObject silent = json(get("/api/reading"));
  EXPECT_EQ(silent["time"].toString(), "2010-05-23T14:05:33");
  EXPECT_EQ(silent["now"].toString(), "2010-05-23T14:17:33");
  EXPECT_EQ(silent["age"].toInt(), 720);
  EXPECT_NE(silent["lastError"].toString().indexOf("hung up"), -1);

  serial.restore();
  serial.deliver(kGoodFrame);
  const QJsonObject back = json(get("/api/reading"));
  EXPECT_TRUE(back["portOpen"].toBool());
  EXPECT_EQ(back["portProblem"].toString(), "");
  EXPECT_EQ(back["lastError"].toString(), "");
  EXPECT_EQ(back["age"].toInt(), 0);
}

// A notice takes the message line from the error before it, as in the window.
TEST(DashboardMessageLine, ANoticeReplacesTheLastError) {
  FakeClock clock;
  DashboardFeed feed(clock);
  EXPECT_TRUE(feed.state().lastError.empty());
  feed.errorTrapped(clock.now(), {"MQTT broker not available", "refused", {}});
  EXPECT_EQ(feed.state().lastError,
            "  Last Error trapped  14:05:33  ---  MQTT broker not available  refused");
  feed.noticeShown(clock.now(), "MQTT broker connected again");
  EXPECT_EQ(feed.state().lastError, "");
  EXPECT_EQ(feed.state().notice, "  14:05:33  ---  MQTT broker connected again");
  feed.errorTrapped(clock.now(), {"checksum error", "", {}});
  EXPECT_EQ(feed.state().notice, "");
}

// A second passes on the logger's clock and its alarms are judged.
void alarmSecond(const LoggerSession& session, FakeClock& clock) {
  LocalDateTime t = clock.now();
  ++t.second;
  clock.set(t);
  QMetaObject::invokeMethod(session.findChild<QTimer*>(QStringLiteral("AlarmTimer")), "timeout");
}

void writeLowVoltsAlarm(const TempFolder& folder) {
  AlarmConfig alarms;
  alarms.LowVolts = "11.5";
  alarms.HoldSeconds = "0";
  folder.write("alarm.cfg", alarmConfigText(alarms));
}

TEST_F(LiveTest, AnAlarmIsInTheReadingAndTheMetricsWhileRaised) {
  writeLowVoltsAlarm(folder);
  startLogger();
  alarmSecond(session(), clock);
  serial.deliver("[<V>440</V><I>164</I><R>5</R><S>13</S><C>622</C>]");  // 11.00 V
  alarmSecond(session(), clock);
  const HttpReply raised = get("/api/reading");
  EXPECT_NE(
      raised.body.find(
          R"("alarms":[{"id":"low_volts","name":"Battery volts low","active":true,)"
          R"("since":"2010-05-23T14:05:35","threshold":11.5,"value":11,"text":"Battery volts )"
          R"(low since 2010_05_23 14:05:35: below 11.5 V (11.00 V); clears above 11.73 )"
          R"(V"}],"alarmActive":true})"),
      std::string::npos)
      << raised.body;
  EXPECT_NE(get("/metrics").body.find("\ntamsel_alarm_active{alarm=\"low_volts\"} 1\n"),
            std::string::npos);

  serial.deliver(kGoodFrame);
  alarmSecond(session(), clock);
  const QJsonObject cleared = json(get("/api/reading"));
  EXPECT_FALSE(cleared["alarmActive"].toBool());
  EXPECT_EQ(cleared["alarms"][0]["since"].toString(), "2010-05-23T14:05:36");
  EXPECT_TRUE(cleared["alarms"][0]["value"].isNull());
  EXPECT_NE(get("/metrics").body.find("\ntamsel_alarm_active{alarm=\"low_volts\"} 0\n"),
            std::string::npos);
}

// Debian's prometheus package brings promtool, the format's own checker.
TEST_F(LiveTest, MetricsAreValidPrometheusTextWithTheReadingsValues) {
  writeLowVoltsAlarm(folder);  // the alarms' labelled samples are checked too
  startLogger();
  serial.deliver(kGoodFrame);
  // 40 W for 90 s, then midnight: the day's gauge starts again, the counter keeps on.
  auto* energyTick = session().findChild<QTimer*>(QStringLiteral("Timer3"));
  for (int i = 0; i < 18; ++i) QMetaObject::invokeMethod(energyTick, "timeout");
  clock.set({2010, 5, 24, 0, 0, 3});
  QMetaObject::invokeMethod(energyTick, "timeout");
  const HttpReply reply = get("/metrics");
  ASSERT_EQ(reply.status, 200);
  EXPECT_EQ(reply.header("content-type"), "text/plain; version=0.0.4; charset=utf-8");
  for (const char* line :
       {"\ntamsel_volts 12.5\n", "\ntamsel_frames_total 1\n", "\ntamsel_port_open 1\n",
        "\ntamsel_wind_speed 6.5\n", "\ntamsel_watt_hours_today 0\n",
        "\n# TYPE tamsel_energy_watt_hours_total counter\n"})
    EXPECT_NE(reply.body.find(line), std::string::npos) << line << reply.body;
  const std::string counter = "\ntamsel_energy_watt_hours_total ";
  const size_t at = reply.body.find(counter);
  ASSERT_NE(at, std::string::npos) << reply.body;
  EXPECT_NEAR(std::stod(reply.body.substr(at + counter.size())), 1.0, 1e-9);
  QProcess promtool;
  promtool.start(QStringLiteral("promtool"), {QStringLiteral("check"), QStringLiteral("metrics")});
  ASSERT_TRUE(promtool.waitForStarted()) << "promtool missing: scripts/bootstrap installs it";
  promtool.write(QByteArray::fromStdString(reply.body));
  promtool.closeWriteChannel();
  ASSERT_TRUE(promtool.waitForFinished());
  // It parses the text (status 1 when it cannot) and then gives naming
  // advice (status 3): only the unit advice on the two watt-hours figures,
  // named as their users know them, is accepted.
  const std::string advice = promtool.readAllStandardError().toStdString();
  const bool onlyUnitAdvice =
      promtool.exitCode() == 3 &&
      advice ==
          "tamsel_energy_watt_hours_total use base unit \"seconds\" instead of \"hours\"\n"
          "tamsel_watt_hours_today use base unit \"seconds\" instead of \"hours\"\n";
  EXPECT_TRUE(promtool.exitCode() == 0 || onlyUnitAdvice) << promtool.exitCode() << advice;
}

int countOf(const std::string& text, const std::string& piece) {
  int count = 0;
  for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

TEST_F(LiveTest, EventsFollowFramesCoalescedToTheNewest) {
  startLogger();
  HttpClient events(port());
  events.send("GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
  const HttpReply head = events.readHead();
  ASSERT_EQ(head.status, 200);
  EXPECT_EQ(head.header("content-type"), "text/event-stream");
  EXPECT_EQ(head.header("content-security-policy"), "default-src 'self'");
  ASSERT_TRUE(events.waitFor("event: reading\ndata: {\"time\":null"));
  ASSERT_TRUE(events.waitFor("\n\n"));
  // Twenty frames at once: the page hears of the last, not of each.
  for (int v = 501; v <= 520; ++v) {
    const std::string fields = "<V>" + std::to_string(v) + "</V><I>164</I><R>5</R><S>13</S>";
    serial.deliver("[" + fields + "<C>" + std::to_string(v + 182) + "</C>]");
  }
  const std::string last = "\"volts\":" + plainNumberText(session().currentReading().voltsValue);
  ASSERT_TRUE(waitUntil([&] { return events.received().find(last) != std::string::npos; }, 15000));
  EXPECT_LE(countOf(events.received(), "event: reading"), 2) << events.received();
  EXPECT_EQ(dashboard->webServer().streamCount(), 1);
}

// A browser tab that stopped reading: its socket takes a little and then
// nothing more. The logger does not wait for it, nor keep its events.
TEST_F(LiveTest, AFollowerThatDoesNotReadIsDroppedNotWaitedFor) {
  WebServer::Limits limits;
  limits.stream.gapMs = 0;  // every frame pushed, so the backlog grows fast
  limits.stream.mostBacklog = 16 * 1024;
  startLogger(loopbackAnyPort(), limits);
  const int stuck = ::socket(AF_INET, SOCK_STREAM, 0);
  const int small = 1024;
  ::setsockopt(stuck, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port());
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::connect(stuck, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::string request = "GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  ASSERT_GT(::send(stuck, request.data(), request.size(), 0), 0);
  HttpClient reading(port());
  reading.send(request);
  ASSERT_TRUE(waitUntil([&] { return dashboard->webServer().streamCount() == 2; }, 15000));
  int frames = 0;
  while (dashboard->webServer().streamCount() == 2 && frames < 200000) {
    serial.deliver(kGoodFrame);
    ++frames;
    QCoreApplication::processEvents();
    reading.received().clear();
  }
  ::close(stuck);
  EXPECT_EQ(dashboard->webServer().streamCount(), 1) << "after " << frames << " frames";
  EXPECT_TRUE(reading.connected());
}

}  // namespace
}  // namespace tamsel::test
