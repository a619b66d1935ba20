// What the server refuses, and the bounds it keeps on its clients.
#include <sys/stat.h>

#include <QLoggingCategory>
#include <vector>

#include "app/process/folder_in_use.h"
#include "app/process/program_folder.h"
#include "support/fake_dialogs.h"
#include "support/wait_until.h"
#include "web/web_fixture.h"

namespace tamsel::test {
namespace {

using GuardTest = WebTest;

TEST_F(GuardTest, RefusedRequestsAreAnsweredWithTheSecurityHeaders) {
  startLogger();
  const struct {
    std::string target;
    std::string method;
    int status;
  } cases[] = {
      {"/api/day?date=2010-02-30", "GET", 400},
      {"/api/day?date=..%2F..%2Fprog.cfg", "GET", 400},
      {"/day.csv?date=2010-05-23&from=7:00", "GET", 400},
      {"/static/..%2Fprog.cfg", "GET", 404},
      {"/static/../prog.cfg", "GET", 404},
      {"/api%2Fdays", "GET", 404},
      {"/prog.cfg", "GET", 404},
      {"/api/days?" + std::string(4000, 'a'), "GET", 414},
      {"/api/days", "DELETE", 405},
      {"/api/days", "HEAD", 200},
      {"/favicon.ico", "GET", 200},  // browsers ask for it on every page
  };
  for (const auto& c : cases) {
    HttpClient client(port());
    const HttpReply reply = client.request(c.target, {}, c.method);
    EXPECT_EQ(reply.status, c.status) << c.method << " " << c.target;
    EXPECT_EQ(reply.header("content-security-policy"), "default-src 'self'") << c.target;
    EXPECT_EQ(reply.header("x-content-type-options"), "nosniff") << c.target;
  }
}

TEST_F(GuardTest, HeadersPastTheBoundAreAnswered431AndClosed) {
  startLogger();
  HttpClient client(port());
  client.send("GET /api/days HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Padding: " +
              std::string(70 * 1024, 'p') + "\r\n\r\n");
  EXPECT_EQ(client.readHead().status, 431);
  EXPECT_TRUE(client.closedByServer());
}

TEST_F(GuardTest, SilentAndTricklingClientsAreDroppedButStreamsStay) {
  WebServer::Limits limits;
  limits.gate.headMs = 200;
  startLogger(loopbackAnyPort(), limits);
  HttpClient stream(port());
  stream.send("GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
  ASSERT_TRUE(stream.waitFor("event: reading"));
  HttpClient stalled(port());
  stalled.send("GET /api/da");
  HttpClient silent(port());
  // A byte now and then never makes a whole head, and buys no more time.
  HttpClient trickling(port());
  trickling.send("GET /api/days HTTP/1.1\r\nX-Slow: ");
  QTimer drip;
  QObject::connect(&drip, &QTimer::timeout, [&] { trickling.send("a"); });
  drip.start(20);
  EXPECT_TRUE(stalled.closedByServer());
  EXPECT_TRUE(silent.closedByServer());
  EXPECT_TRUE(trickling.closedByServer());
  EXPECT_TRUE(stream.connected());
  EXPECT_EQ(dashboard->webServer().streamCount(), 1);
}

// Each row fills one limit with connections that send `request` and stay;
// the next is answered 503 and closed, and one leaving makes room.
TEST_F(GuardTest, ConnectionsPastEachLimitAreAnswered503) {
  const std::string events = "GET /events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
  const std::string right = "Authorization: Basic dXNlcjpzZWNyZXQ=\r\n";
  const struct {
    const char* limit;
    int admitted;
    ClientGate::Limits gate;
    int streams;
    const char* password;
    std::string request;
  } cases[] = {
      {"all clients", 64, {.mostPerAddress = 64}, 64, "", ""},
      {"one address", 3, {.mostPerAddress = 3}, 64, "", ""},
      {"without the password, one address", 2, {.mostUnknownPerAddress = 2}, 64, "secret", ""},
      {"event streams", 2, {}, 2, "", events},
  };
  for (const auto& c : cases) {
    logger.reset();
    dashboard.reset();
    WebServer::Limits limits{c.gate, {}};
    limits.stream.mostClients = c.streams;
    WebSettings settings = loopbackAnyPort();
    settings.password = c.password;
    startLogger(settings, limits);
    std::vector<std::unique_ptr<HttpClient>> clients;
    for (int i = 0; i < c.admitted; ++i) {
      clients.push_back(std::make_unique<HttpClient>(port()));
      clients.back()->send(c.request);
    }
    ASSERT_TRUE(
        waitUntil([&] { return dashboard->webServer().clientCount() == c.admitted; }, 15000))
        << c.limit;
    if (!c.request.empty()) {
      ASSERT_TRUE(
          waitUntil([&] { return dashboard->webServer().streamCount() == c.admitted; }, 15000));
    }
    HttpClient extra(port());
    extra.send(c.request);
    EXPECT_EQ(extra.readHead().status, 503) << c.limit;
    EXPECT_TRUE(extra.closedByServer()) << c.limit;
    clients.pop_back();
    ASSERT_TRUE(
        waitUntil([&] { return dashboard->webServer().clientCount() == c.admitted - 1; }, 15000));
    HttpClient known(port());
    EXPECT_EQ(known.request("/api/days", right).status, 200) << c.limit;
    // A connection that showed the password no longer counts as unknown.
    if (*c.password) {
      EXPECT_EQ(get("/api/days", right).status, 200) << c.limit;
    }
  }
}

// Requests a proxy in front could read otherwise than the server, and
// requests to end the connection: each gets one answer, then the close.
TEST_F(GuardTest, DoubtfulRequestsAreAnsweredOnceAndClosed) {
  static std::vector<std::string> httpServerLines;
  httpServerLines.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (QByteArray(context.category).startsWith("qt.httpserver"))
          httpServerLines.push_back(text.toStdString());
      });
  WebServer::Limits limits;
  limits.gate.headMs = 60'000;  // a close must not be the head deadline's
  startLogger(loopbackAnyPort(), limits);
  const std::string start = "GET /api/days HTTP/1.1\r\nHost: 127.0.0.1\r\n";
  const struct {
    std::string request;
    int status;
  } cases[] = {
      {start + "Content-Length: 0\r\nContent-Length: 5\r\n\r\n", 400},
      {start + "Content-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", 400},
      {start + "Content-Length: +3\r\n\r\nabc", 400},
      {start + "Content-Length: 3\r\n\r\nabc", 400},
      {start + "Accept : */*\r\n\r\n", 400},
      {start + "X-Folded: a\r\n b\r\n\r\n", 400},
      {"GET /api/days HTTP/1.1\r\nAccept: */*\r\n\r\n", 400},
      {start + "Host: 127.0.0.1\r\n\r\n", 400},
      {"GET /api/days HTTP/1.1\nHost: 127.0.0.1\n\n", 400},
      {start + "Connection: Upgrade\r\nUpgrade: websocket\r\nSec-WebSocket-Version: 13\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n\r\n",
       400},
      {start + "\r\n" + start + "\r\n", 400},
      {start + "Connection: close\r\n\r\n", 200},
      {"GET /api/days HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n", 200},
  };
  for (const auto& c : cases) {
    HttpClient client(port());
    client.send(c.request);
    EXPECT_EQ(client.readHead().status, c.status) << c.request;
    EXPECT_TRUE(client.closedByServer()) << c.request;
    EXPECT_EQ(client.received().find("HTTP/1."), std::string::npos) << c.request;
  }
  qInstallMessageHandler(previous);
  EXPECT_TRUE(httpServerLines.empty()) << httpServerLines.front();
  EXPECT_EQ(get("/api/days").status, 200);
}

// Without a password only this machine's own names are answered: a page of
// another site whose name was pointed at this machine reads nothing.
TEST_F(GuardTest, WithoutAPasswordOnlyOwnNamesAreAnswered) {
  startLogger();
  const std::string own = "127.0.0.1:" + std::to_string(port());
  const struct {
    std::string host;
    int status;
  } cases[] = {
      {"evil.example", 421},
      {"evil.example:" + std::to_string(port()), 421},
      {"127.0.0.2", 421},
      {"localhost.evil.example", 421},
      {own, 200},
      {"localhost", 200},
      {"LOCALHOST:8470", 200},
      {"[::1]:8470", 200},
  };
  for (const auto& c : cases) {
    HttpClient client(port());
    client.send("GET /api/reading HTTP/1.1\r\nHost: " + c.host + "\r\n\r\n");
    const HttpReply reply = client.readHead();
    EXPECT_EQ(reply.status, c.status) << c.host;
    EXPECT_EQ(reply.header("access-control-allow-origin"), "") << c.host;
    if (c.status == 421) {
      EXPECT_TRUE(client.closedByServer()) << c.host;
    }
  }
}

TEST_F(GuardTest, OnlyTheRightPasswordLetsIn) {
  WebSettings settings = loopbackAnyPort();
  settings.password = "secret";
  startLogger(settings);
  const HttpReply none = get("/api/days");
  EXPECT_EQ(none.status, 401);
  EXPECT_EQ(none.header("www-authenticate"), "Basic realm=\"Tamsel\", charset=\"UTF-8\"");
  EXPECT_EQ(get("/api/days", "Authorization: Basic dXNlcjpzZWNyZXQx\r\n").status, 401);
  EXPECT_EQ(get("/api/days", "Authorization: Basic dXNlcjpzZWNyZXQ=\r\n").status, 200);
  // The password guards it: any name reaches it.
  HttpClient named(port());
  named.send(
      "GET /api/days HTTP/1.1\r\nHost: logger.example\r\nAuthorization: Basic "
      "dXNlcjpzZWNyZXQ=\r\n\r\n");
  EXPECT_EQ(named.readHead().status, 200);
}

// Two wrong guesses side by side, then the right one: the right one is held
// until the guesses before it are answered, so neither many connections
// nor dropping slow answers tells a right guess sooner.
TEST_F(GuardTest, WhileAnAddressIsThrottledEveryAnswerToItWaits) {
  WebSettings settings = loopbackAnyPort();
  settings.password = "secret";
  startLogger(settings);
  const WebServer& server = dashboard->webServer();
  const std::string start = "GET /api/days HTTP/1.1\r\nHost: x\r\nAuthorization: Basic ";
  HttpClient first(port()), second(port()), right(port());
  first.send(start + "dTp3cm9uZw==\r\n\r\n");
  ASSERT_TRUE(waitUntil([&] { return server.loginHoldMs("127.0.0.1") > 0; }, 15000));
  second.send(start + "dTp3cm9uZw==\r\n\r\n");
  ASSERT_TRUE(waitUntil([&] { return server.loginHoldMs("127.0.0.1") > 300; }, 15000));
  right.send(start + "dTpzZWNyZXQ=\r\n\r\n");
  EXPECT_EQ(right.readHead().status, 200);
  EXPECT_NE(first.received().find("401 Unauthorized"), std::string::npos)
      << "the right answer came before the first wrong one";
  EXPECT_EQ(second.readHead().status, 401);
}

// Whatever a request throws is answered 500, and the server goes on.
TEST_F(GuardTest, AFailingAnswerIs500AndTheServerGoesOn) {
  WebServer server(
      folder.path(), loopbackAnyPort(), []() -> DashboardState { throw std::bad_alloc(); }, clock);
  ASSERT_TRUE(server.start());
  HttpClient client(server.port());
  EXPECT_EQ(client.request("/api/reading").status, 500);
  EXPECT_EQ(HttpClient(server.port()).request("/api/days").status, 200);
}

TEST_F(GuardTest, APortInUseIsReportedOnceAndTheLoggerGoesOn) {
  startLogger();
  TempFolder other;
  other.write("prog.cfg", folder.read("prog.cfg"));
  other.write("settings.cfg", kSettingsCfg);
  WebSettings taken = loopbackAnyPort();
  taken.port = port();
  FakeSerial otherSerial;
  otherSerial.availablePorts = {3};
  std::ostringstream otherSaid;
  Outputs otherOutputs(other.path(), clock, RunMode::Headless, otherSaid);
  otherOutputs.dashboard = std::make_unique<WebDashboard>(other.path(), taken, clock);
  HeadlessLogger otherLogger(other.path(), clock, otherSerial, otherOutputs);
  otherLogger.start();
  EXPECT_EQ(otherOutputs.dashboard->address(), "");
  const std::string log = other.read("errorlog.txt");
  const std::string problem = "Web dashboard not started: 127.0.0.1 port " + std::to_string(port());
  EXPECT_NE(log.find(problem), std::string::npos) << log;
  EXPECT_EQ(log.find(problem), log.rfind(problem));
  otherSerial.deliver(kGoodFrame);
  EXPECT_EQ(otherLogger.loggerSession().currentReading().volts, "12.50");
}

TEST(WebConfigFile, ReachableWithoutPasswordIsRefusedAndAReadablePasswordNoted) {
  TempFolder folder;
  FakeClock clock;
  std::ostringstream said;
  ErrorReporter reporter(folder.path(), clock, ErrorReporter::Mode::Window, said);
  folder.write("web.cfg", "<Address>0.0.0.0</Address>\r\n");
  EXPECT_EQ(makeWebDashboard(folder.path(), clock, reporter), nullptr);
  EXPECT_NE(folder.read("errorlog.txt").find("set a Password to serve there; no web dashboard"),
            std::string::npos);
  folder.write("web.cfg", "<Address>0.0.0.0</Address>\r\n<Password>pw</Password>\r\n");
  ::chmod(folder.file("web.cfg").c_str(), 0644);
  EXPECT_NE(makeWebDashboard(folder.path(), clock, reporter), nullptr);
  EXPECT_NE(said.str().find("web.cfg holds a password that other users can read"),
            std::string::npos);
}

TEST(FolderInUse, TheWindowOffersTheRunningLoggersDashboard) {
  TempFolder folder;
  Result<FolderLock> lock = FolderLock::acquire(folder.path());
  ASSERT_TRUE(lock);
  (*lock).noteDashboard("http://127.0.0.1:8470/");
  const Result<FolderLock> second = FolderLock::acquire(folder.path());
  ASSERT_FALSE(second);
  const std::string dashboard = FolderLock::holderDashboard(folder.path());
  EXPECT_EQ(dashboard, "http://127.0.0.1:8470/");

  FakeDialogs dialogs;
  dialogs.answer = true;
  tellFolderInUse(dialogs, second.error(), dashboard);
  ASSERT_EQ(dialogs.questions.size(), 1);
  EXPECT_TRUE(dialogs.questions[0].contains(QString::fromStdString(second.error())));
  EXPECT_EQ(dialogs.openedUrls, QStringList{"http://127.0.0.1:8470/"});
  dialogs.answer = false;
  tellFolderInUse(dialogs, second.error(), dashboard);
  EXPECT_EQ(dialogs.openedUrls.size(), 1);
  tellFolderInUse(dialogs, second.error(), "");
  EXPECT_EQ(dialogs.messages, QStringList{QString::fromStdString(second.error())});
}

}  // namespace
}  // namespace tamsel::test
