#include "e2e/fleet_dashboard.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <algorithm>
#include <fstream>
#include <regex>
#include <set>

#include "logging/day_file_name.h"

namespace tamsel::e2e {
namespace {

// What each panel is meant to show: one sent quantity, or (no metric) the
// energy of each day. A panel missing here fails, so none goes unchecked.
struct PanelMeaning {
  const char* title;
  const char* metric;
};

const PanelMeaning kPanels[] = {
    {"Battery volts", "tamsel_volts"}, {"Charging amps", "tamsel_amps"},
    {"Watts", "tamsel_watts"},         {"Generator RPM", "tamsel_rpm"},
    {"Wind speed", "tamsel_wind"},     {"Energy per day", nullptr},
};

struct Query {
  std::string where;  // the panel's title, or the variable's name
  std::string text;
};

QJsonObject dashboard() {
  QFile file(QStringLiteral(FLEET_DASHBOARD_JSON));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QJsonDocument::fromJson(file.readAll()).object();
}

// Grafana's own variable, as it fills one site into a query: regular
// expression characters escaped, each escape written for the query's quotes.
std::string filledIn(std::string text, const std::string& site) {
  std::string quoted;
  for (char c : site) {
    if (std::string_view(R"(\.^$*+?()[]{}|)").find(c) != std::string_view::npos) quoted += "\\\\";
    quoted += c;
  }
  for (const std::string variable : {"${site}", "$site"}) {
    for (size_t at; (at = text.find(variable)) != std::string::npos;) {
      text.replace(at, variable.size(), quoted);
    }
  }
  return text;
}

std::string encoded(const std::string& text) {
  return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
}

struct Answer {
  std::map<std::string, std::string> labels;
  double value = 0;
};

// An instant query at `unixSeconds`: one answer per series.
std::vector<Answer> evaluate(const test::VictoriaMetrics& database, const std::string& query,
                             long long unixSeconds) {
  const std::string body = database.get("/api/v1/query?query=" + encoded(query) +
                                        "&time=" + std::to_string(unixSeconds));
  std::vector<Answer> answers;
  const QJsonObject top = QJsonDocument::fromJson(QByteArray::fromStdString(body)).object();
  for (const QJsonValue& series : top["data"]["result"].toArray()) {
    Answer answer;
    const QJsonObject labels = series["metric"].toObject();
    for (auto it = labels.begin(); it != labels.end(); ++it) {
      answer.labels[it.key().toStdString()] = it.value().toString().toStdString();
    }
    answer.value = series["value"].toArray().at(1).toString().toDouble();
    answers.push_back(std::move(answer));
  }
  return answers;
}

long long localMidnight(const CalendarDate& day) {
  return QDateTime(QDate(day.year, day.month, day.day), QTime(0, 0)).toSecsSinceEpoch();
}

// The watt-hours the day file's last record holds: the day's total.
double dayFileWattHours(const std::string& path) {
  static const std::regex total(R"(([-\d.]+)Wh\s*$)");
  std::ifstream in(path, std::ios::binary);
  double last = -1;
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (std::regex_search(line, m, total)) last = std::stod(m[1]);
  }
  return last;
}

void expectSiteListed(const test::VictoriaMetrics& database, const Query& query,
                      const std::string& site) {
  static const std::regex labelValues(R"(^\s*label_values\(\s*(\w+)\s*,\s*(\w+)\s*\)\s*$)");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(query.text, m, labelValues)) << query.where << ": " << query.text;
  const std::string body =
      database.get("/api/v1/label/" + std::string(m[2]) + "/values?match%5B%5D=" + encoded(m[1]));
  const QJsonArray values =
      QJsonDocument::fromJson(QByteArray::fromStdString(body)).object()["data"].toArray();
  EXPECT_TRUE(values.contains(QString::fromStdString(site))) << query.where << ": " << body;
}

void expectOneSeriesOf(const std::vector<Answer>& answers, const std::string& site,
                       const std::string& context) {
  ASSERT_EQ(answers.size(), 1u) << context;
  EXPECT_EQ(answers[0].labels.count("site") ? answers[0].labels.at("site") : "", site) << context;
}

// The value of the last record before today, three in its minute.
void expectQuantity(const test::VictoriaMetrics& database, const Query& query,
                    const std::string& metric, const std::map<std::string, test::Series>& sent,
                    const std::string& site) {
  ASSERT_TRUE(sent.count(metric)) << metric;
  const test::Series& series = sent.at(metric);
  const QDate today = QDate::currentDate();
  const long long todayMs = localMidnight({today.year(), today.month(), today.day()}) * 1000;
  const auto before =
      std::lower_bound(series.timestampsMs.begin(), series.timestampsMs.end(), todayMs);
  ASSERT_NE(before, series.timestampsMs.begin()) << metric << ": nothing sent before today";
  const size_t at = static_cast<size_t>(before - series.timestampsMs.begin()) - 1;
  const long long seconds = series.timestampsMs[at] / 1000;
  const std::vector<Answer> answers = evaluate(database, query.text, seconds);
  const std::string context = query.where + ": " + query.text + " at " + std::to_string(seconds);
  expectOneSeriesOf(answers, site, context);
  if (answers.size() == 1) {
    EXPECT_DOUBLE_EQ(answers[0].value, series.values[at]) << context;
  }
}

// Each past day's bar, at its midnight, is the day file's total.
void expectEnergyPerDay(const test::VictoriaMetrics& database, const Query& query,
                        const std::string& logsFolder, const std::string& site) {
  const QDate today = QDate::currentDate();
  const CalendarDate todayDate{today.year(), today.month(), today.day()};
  int days = 0;
  for (const CalendarDate& day : dayFileDates(logsFolder)) {
    if (day >= todayDate) continue;
    ++days;
    const std::vector<Answer> answers = evaluate(database, query.text, localMidnight(day));
    const std::string context = query.where + ": " + query.text + " for " + dayFileName(day);
    expectOneSeriesOf(answers, site, context);
    if (answers.size() == 1) {
      EXPECT_DOUBLE_EQ(answers[0].value, dayFileWattHours(logsFolder + "/" + dayFileName(day)))
          << context;
    }
  }
  EXPECT_GT(days, 0) << "no past day file in " << logsFolder;
}

}  // namespace

void expectDashboardShowsSentRecords(const test::VictoriaMetrics& database,
                                     const std::map<std::string, test::Series>& sent,
                                     const std::string& logsFolder, const std::string& site) {
  const QJsonObject json = dashboard();
  ASSERT_FALSE(json.isEmpty()) << FLEET_DASHBOARD_JSON;

  int variables = 0;
  for (const QJsonValue& variable : json["templating"]["list"].toArray()) {
    if (variable["type"].toString() != "query") continue;
    ++variables;
    const QJsonValue query = variable["query"];
    const std::string text = (query.isObject() ? query["query"] : query).toString().toStdString();
    expectSiteListed(database, {variable["name"].toString().toStdString(), text}, site);
  }
  EXPECT_EQ(variables, 1) << "the site list";

  std::set<std::string> checked;
  for (const QJsonValue& panel : json["panels"].toArray()) {
    const std::string title = panel["title"].toString().toStdString();
    const auto meaning = std::find_if(std::begin(kPanels), std::end(kPanels),
                                      [&](const PanelMeaning& p) { return p.title == title; });
    if (meaning == std::end(kPanels)) {
      ADD_FAILURE() << "panel \"" << title << "\": what it should show is not known here";
      continue;
    }
    checked.insert(title);
    const QJsonArray targets = panel["targets"].toArray();
    EXPECT_FALSE(targets.isEmpty()) << title;
    for (const QJsonValue& target : targets) {
      const Query query{title, filledIn(target["expr"].toString().toStdString(), site)};
      EXPECT_EQ(query.text.find('$'), std::string::npos)
          << title << ": a variable left in " << query.text;
      if (meaning->metric) {
        expectQuantity(database, query, meaning->metric, sent, site);
      } else {
        expectEnergyPerDay(database, query, logsFolder, site);
      }
    }
  }
  EXPECT_EQ(checked.size(), std::size(kPanels)) << "a panel is missing from the dashboard";
}

}  // namespace tamsel::e2e
