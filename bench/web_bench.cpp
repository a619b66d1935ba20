// The web dashboard beside the logger: a day page's data must come at once,
// and the live page must cost the logger next to nothing per frame, however
// many browsers follow it.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTcpSocket>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_logger.h"
#include "app/outputs/web_dashboard.h"
#include "config/program_config.h"
#include "history/history_store.h"
#include "platform/calendar.h"
#include "support/fake_clock.h"
#include "support/fake_serial.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace {

using namespace tamsel;
using namespace tamsel::test;

// 9,999 records, one every 8 seconds, with values that move.
std::string fullDayText() {
  std::string text;
  for (int i = 1; i <= kMostRecords; ++i) {
    const int watts = (i * 37) % 900;
    text += "<T>" + hourMinute(i * 8 / 60) + "</T><V>1" + std::to_string(2 + i % 2) + "." +
            std::to_string(10 + i % 90) + "</V><I>" + std::to_string(watts / 13) + "." +
            std::to_string(i % 10) + "</I><W>" + std::to_string(watts) + ".0</W><R>" +
            std::to_string(120 + (i * 7) % 380) + "</R><S>" + std::to_string(i % 30) +
            "</S><M></M>   " + std::to_string(i) + ".4Wh\r\n";
  }
  return text;
}

// A program folder with a full day, and a headless logger serving it.
struct Served {
  explicit Served(bool dashboard = true, WebServer::Limits limits = {}) {
    std::filesystem::create_directories(folder.file("logs"));
    folder.write("logs/P_2010_05_20.txt", fullDayText());
    ProgramConfig cfg = setupDefaults();
    cfg.Port = "3";
    cfg.DisplayRPM = "1";
    cfg.DisplayWS = "1";
    folder.write("prog.cfg", programConfigText(cfg));
    folder.write("settings.cfg",
                 "<VoltDivider>40</VoltDivider><VoltOffset>100</VoltOffset><AmpDivider>20"
                 "</AmpDivider><RPMDivider>1</RPMDivider><WSDivider>2</WSDivider>\r\n");
    serial.availablePorts = {3};
    if (dashboard) {
      WebSettings settings;
      settings.port = 0;
      outputs.dashboard = std::make_unique<WebDashboard>(folder.path(), settings, clock, limits);
    }
    logger = std::make_unique<HeadlessLogger>(folder.path(), clock, serial, outputs);
    logger->start();
  }
  quint16 port() const { return outputs.dashboard->webServer().port(); }

  TempFolder folder;
  FakeClock clock;
  FakeSerial serial;
  std::ostringstream said;
  Outputs outputs{folder.path(), clock, RunMode::Headless, said};
  std::unique_ptr<HeadlessLogger> logger;
};

// A socket that reads everything it is sent.
std::unique_ptr<QTcpSocket> connectedClient(quint16 port, std::string& received) {
  auto socket = std::make_unique<QTcpSocket>();
  QObject::connect(socket.get(), &QTcpSocket::readyRead, socket.get(),
                   [s = socket.get(), &received] { received += s->readAll().toStdString(); });
  socket->connectToHost(QStringLiteral("127.0.0.1"), port);
  waitUntil([&] { return socket->state() == QAbstractSocket::ConnectedState; }, 10000);
  return socket;
}

// /api/day for the whole full day, asked over a real socket and read whole.
void BM_DayOverHttp(benchmark::State& state) {
  Served served;
  std::string received;
  auto client = connectedClient(served.port(), received);
  const std::string request = "GET /api/day?date=2010-05-20 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  size_t answerBytes = 0;
  for (auto _ : state) {
    received.clear();
    client->write(request.data(), qint64(request.size()));
    // Left the moment the answer is whole, not at a polling step.
    QEventLoop loop;
    QObject::connect(client.get(), &QTcpSocket::readyRead, &loop, [&] {
      if (received.ends_with("}}")) loop.quit();
    });
    loop.exec();
    answerBytes = received.size();
  }
  state.counters["answer_bytes"] = double(answerBytes);
}
BENCHMARK(BM_DayOverHttp)->Unit(benchmark::kMillisecond);

// The same answer made without the socket: loading and JSON alone.
void BM_DayAnswer(benchmark::State& state) {
  Served served(false);
  DayAnswers answers(served.folder.path());
  Route route;
  route.kind = RouteKind::Day;
  route.date = {2010, 5, 20};
  for (auto _ : state) benchmark::DoNotOptimize(answers.day(route));
}
BENCHMARK(BM_DayAnswer)->Unit(benchmark::kMillisecond);

// A follower of the event stream on a plain socket, read only when the
// measuring is paused, so what is measured is the logger's side alone.
struct Follower {
  explicit Follower(quint16 port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    (void)::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const char request[] = "GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    (void)::send(fd, request, sizeof request - 1, 0);
  }
  ~Follower() { ::close(fd); }
  void drain() const {
    char buffer[65536];
    while (::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) > 0) {
    }
  }
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
};

// One frame through the session: with no dashboard (-1), or with the
// dashboard and N clients following the event stream. The second argument
// is the gap between pushes: 200 ms coalesces a fast board's frames, 0 ms
// pushes every frame, as a board sending at most five a second gets. The
// pushes are made and written within the measured time.
void BM_FrameWithDashboard(benchmark::State& state) {
  const int followers = int(state.range(0));
  WebServer::Limits limits;
  limits.stream.gapMs = int(state.range(1));
  // Every follower comes from this machine's one address.
  limits.gate.mostPerAddress = limits.gate.mostClients;
  limits.stream.mostClients = limits.gate.mostClients;
  Served served(followers >= 0, limits);
  std::vector<std::unique_ptr<Follower>> clients;
  for (int i = 0; i < followers; ++i) {
    clients.push_back(std::make_unique<Follower>(served.port()));
    QCoreApplication::processEvents();  // taken in before the listening queue fills
  }
  if (followers > 0) {
    waitUntil([&] { return served.outputs.dashboard->webServer().streamCount() == followers; },
              10000);
  }
  int v = 0;
  for (auto _ : state) {
    const int raw = 480 + v++ % 40;
    const std::string fields = "<V>" + std::to_string(raw) + "</V><I>164</I><R>5</R><S>13</S>";
    served.serial.deliver("[" + fields + "<C>" + std::to_string(raw + 182) + "</C>]");
    QCoreApplication::processEvents();
    if (v % 32 == 0) {
      state.PauseTiming();
      for (const auto& client : clients) client->drain();
      state.ResumeTiming();
    }
  }
  if (followers > 0 && served.outputs.dashboard->webServer().streamCount() != followers)
    state.SkipWithError("a follower was dropped");
}
BENCHMARK(BM_FrameWithDashboard)
    ->Args({-1, 200})
    ->Args({0, 200})
    ->Args({10, 200})
    ->Args({10, 0})
    ->Args({50, 200})
    ->Args({50, 0})
    ->Unit(benchmark::kMicrosecond);

// The event's data, made once per push for every follower.
void BM_ReadingJson(benchmark::State& state) {
  DashboardState dashboard;
  dashboard.lastFrame = LocalDateTime{2010, 5, 23, 14, 5, 33};
  dashboard.list = {true, true, "mph"};
  dashboard.reading = {"12.50", "3.20", "40.0", "300.0", 6.5, 12.5, 3.2, 40, 300};
  for (auto _ : state) benchmark::DoNotOptimize(dashboardReadingJson(dashboard));
}
BENCHMARK(BM_ReadingJson)->Unit(benchmark::kMicrosecond);

}  // namespace
