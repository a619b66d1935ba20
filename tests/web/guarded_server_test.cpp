// What the server refuses, and the bounds it keeps on its clients.
#include <sys/stat.h>

#include <vector>

#include "app/core/program_folder.h"
#include "app/folder_in_use.h"
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
  client.send("GET /api/days HTTP/1.1\r\nHost: x\r\nX-Padding: " + std::string(70 * 1024, 'p') +
              "\r\n\r\n");
  EXPECT_EQ(client.readHead().status, 431);
  EXPECT_TRUE(client.closedByServer());
}

TEST_F(GuardTest, SilentClientsAreDroppedButStreamsStay) {
  WebServer::Limits limits;
  limits.gate.idleMs = 200;
  startLogger(loopbackAnyPort(), limits);
  HttpClient stream(port());
  stream.send("GET /events HTTP/1.1\r\nHost: x\r\n\r\n");
  ASSERT_TRUE(stream.waitFor("event: reading"));
  HttpClient stalled(port());
  stalled.send("GET /api/da");
  HttpClient silent(port());
  EXPECT_TRUE(stalled.closedByServer());
  EXPECT_TRUE(silent.closedByServer());
  EXPECT_TRUE(stream.connected());
  EXPECT_EQ(dashboard->webServer().streamCount(), 1);
}

TEST_F(GuardTest, The65thClientIsAnswered503) {
  startLogger();
  std::vector<std::unique_ptr<HttpClient>> clients;
  for (int i = 0; i < 64; ++i) clients.push_back(std::make_unique<HttpClient>(port()));
  ASSERT_TRUE(waitUntil([&] { return dashboard->webServer().clientCount() == 64; }, 15000));
  HttpClient extra(port());
  EXPECT_EQ(extra.readHead().status, 503);
  EXPECT_TRUE(extra.closedByServer());
  clients.pop_back();
  ASSERT_TRUE(waitUntil([&] { return dashboard->webServer().clientCount() == 63; }, 15000));
  EXPECT_EQ(get("/api/days").status, 200);
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
}

TEST_F(GuardTest, APortInUseIsReportedOnceAndTheLoggerGoesOn) {
  startLogger();
  TempFolder other;
  other.write("prog.cfg", folder.read("prog.cfg"));
  other.write("settings.cfg", kSettingsCfg);
  WebSettings taken = loopbackAnyPort();
  taken.port = port();
  WebDashboard second(other.path(), taken, clock);
  FakeSerial otherSerial;
  otherSerial.availablePorts = {3};
  std::ostringstream otherSaid;
  HeadlessLogger otherLogger(other.path(), clock, otherSerial, otherSaid, nullptr, &second);
  otherLogger.start();
  EXPECT_EQ(second.address(), "");
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
  folder.write("web.cfg", "<Address>0.0.0.0</Address>\r\n");
  EXPECT_EQ(makeWebDashboard(folder.path(), clock, said), nullptr);
  EXPECT_NE(folder.read("errorlog.txt").find("set a Password to serve there; no web dashboard"),
            std::string::npos);
  folder.write("web.cfg", "<Address>0.0.0.0</Address>\r\n<Password>pw</Password>\r\n");
  ::chmod(folder.file("web.cfg").c_str(), 0644);
  EXPECT_NE(makeWebDashboard(folder.path(), clock, said), nullptr);
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
