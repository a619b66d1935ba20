#!/usr/bin/env python3
"""The dashboard in a real browser: headless Chromium driven over WebDriver
against the real program, run headless in a program folder of its own and fed
by the board simulator. The live page must follow the frames, a day page must
draw every record of the day, its CSV download must be the export's bytes and
the energy page's totals must be the day files' energy. A live page opened
later must draw the hour before it at once. When the board goes, the live
page must show the port's problem, grey the values and say how long ago the
last frame came; when it is back, the error line must go. A second logger,
whose battery runs low for a while, must put an alarm banner on every page
and take it away when the alarm clears. No page may log an error in the
console. The top of the live page and the daily summary are checked against
the day files by browser_figures. Also makes the README's pictures.

usage: browser_test.py TAMSEL BOARD_SIM HISTORY_GEN PICTURE_FOLDER"""
import datetime
import json
import os
import re
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.error
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

from browser_figures import (DEADLINE_S, FULL_DAY_RECORDS, LOG_DELAY, LOW_VOLTS_S, STALE_AFTER_S,
                             check, day_energy, day_records, energy_text, months_earlier,
                             test_glance, test_summary, wait_for, whole_wh)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Run:
    """The program folder, the simulator, the program and the browser."""

    def __init__(self, tamsel, board_sim, history_gen):
        self.folder = tempfile.mkdtemp(prefix="tamsel-web-")
        self.children = []
        self.tools = (tamsel, board_sim, history_gen)
        self.port = 1000 + os.getpid() % 3000 * 10 + 7
        self.base = "http://127.0.0.1:%d" % free_port()
        self.driver = None
        self.board = None

    def write(self, name, text):
        with open(os.path.join(self.folder, name), "w", newline="") as f:
            f.write(text)

    def configure(self):
        keys = dict(Port=self.port, Savehtml=0, SaveExcel=0, LogDelay=LOG_DELAY, LogOn=1,
                    DisplayRPM=1, DisplayWS=1, WSUnits="mph", SV=12, MA=20, BR=9600,
                    dispMessages=1, MR=400, MP=1000)
        lines = ["<%s>%s</%s>" % (k, v, k) for k, v in keys.items()]
        self.write("prog.cfg", "Program Config File\r\n\r\n" + "\r\n".join(lines) + "\r\n")
        port = self.base.rsplit(":", 1)[1]
        self.write("web.cfg", "Web Dashboard Config File\r\n\r\n<Enabled>1</Enabled>\r\n"
                   "<Address>127.0.0.1</Address>\r\n<Port>%s</Port>\r\n" % port)

    def make_days(self):
        """Forty days of records, and a day 60 days back holding exactly
        FULL_DAY_RECORDS records inside 00:00 to 23:59; returns that day."""
        subprocess.run([self.tools[2], "--folder", self.folder, "--days", "40"], check=True,
                       stdout=subprocess.DEVNULL)
        scratch = os.path.join(self.folder, "scratch")
        subprocess.run([self.tools[2], "--folder", scratch, "--days", "1", "--delay", "8"],
                       check=True, stdout=subprocess.DEVNULL)
        yesterday = datetime.date.today() - datetime.timedelta(days=1)
        source = os.path.join(scratch, "logs", yesterday.strftime("P_%Y_%m_%d.txt"))
        with open(source, "rb") as f:
            lines = f.read().split(b"\r\n")
        inside = [l for l in lines if l.startswith(b"<T>") and l[3:8] not in (b"00:00", b"23:59")]
        full = datetime.date.today() - datetime.timedelta(days=60)
        path = os.path.join(self.folder, "logs", full.strftime("P_%Y_%m_%d.txt"))
        with open(path, "wb") as f:
            f.write(b"".join(l + b"\r\n" for l in inside[:FULL_DAY_RECORDS]))
        # A day of one record a minute, 1,440 of them, for the drawing figure.
        minutes = {}
        for l in lines:
            if l.startswith(b"<T>"):
                minutes.setdefault(l[3:8], l)
        minute_day = full - datetime.timedelta(days=1)
        with open(os.path.join(self.folder, "logs", minute_day.strftime("P_%Y_%m_%d.txt")), "wb") as f:
            f.write(b"".join(l + b"\r\n" for l in minutes.values()))
        check(len(minutes) == 1440, "the minute day holds %d records" % len(minutes))
        shutil.rmtree(scratch)
        check(len(day_records(path)) == FULL_DAY_RECORDS, "the full day is not full")
        # Yesterday loses half an hour of records: its chart must break there.
        hole = os.path.join(self.folder, "logs", (datetime.date.today() - datetime.timedelta(
            days=1)).strftime("P_%Y_%m_%d.txt"))
        with open(hole, "rb") as f:
            kept = [l for l in f.read().split(b"\r\n") if not b"<T>10:00</T>" <= l[:12] < b"<T>10:30</T>"]
        with open(hole, "wb") as f:
            f.write(b"\r\n".join(kept))
        # A day a year back, for the comparisons with last year.
        today = datetime.date.today()
        source = os.path.join(self.folder, "logs", (today - datetime.timedelta(days=2))
                              .strftime("P_%Y_%m_%d.txt"))
        a_year_ago = months_earlier(today.replace(day=1), 12)[0]
        shutil.copy(source, os.path.join(self.folder, "logs", a_year_ago.strftime("P_%Y_%m_%d.txt")))
        return full.isoformat()

    def start(self, argv, name):
        out = open(os.path.join(self.folder, name + "-output.txt"), "wb")
        self.children.append(subprocess.Popen(argv, stdout=out, stderr=subprocess.STDOUT))

    def start_board(self, board_args=()):
        link = os.path.join(self.folder, "com%d" % self.port)
        self.start([self.tools[1], "--folder", self.folder, "--port", str(self.port),
                    "--write-settings", "--rate", "8", "--sent-log",
                    os.path.join(self.folder, "sent.txt"), *board_args], "board")
        wait_for("the simulator's port", lambda: os.path.lexists(link))
        return self.children[-1]

    def start_programs(self, board_args=()):
        self.board = self.start_board(board_args)
        self.start([self.tools[0], "--headless", "--folder", self.folder], "program")
        wait_for("the dashboard", lambda: self.get_json("/api/reading", quiet=True))

    def get(self, path):
        with urllib.request.urlopen(self.base + path, timeout=10) as answer:
            return answer.read(), answer.headers

    def get_json(self, path, quiet=False):
        try:
            return json.loads(self.get(path)[0])
        except (OSError, urllib.error.URLError):
            if quiet:
                return None
            raise

    def open_browser(self):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                         "--disable-dev-shm-usage", "--hide-scrollbars"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.downloads = os.path.join(self.folder, "downloads")
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": self.downloads})

    def page(self, path, width, height):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600})
        self.driver.get(self.base + path)

    def script(self, text):
        return self.driver.execute_script(text)

    def console_errors(self):
        return [e["message"] for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]

    def close(self):
        if self.driver:
            self.driver.quit()
        for child in reversed(self.children):
            child.terminate()
            try:
                child.wait(5)
            except subprocess.TimeoutExpired:
                child.kill()
        shutil.rmtree(self.folder, ignore_errors=True)


def follow_events(run, arrivals, stop):
    """Notes when each event reaches a client of our own, by its rows."""
    with urllib.request.urlopen(run.base + "/events", timeout=10) as stream:
        for line in stream:
            if stop.is_set():
                return
            if line.startswith(b"data: "):
                rows = json.loads(line[6:])["rows"]
                arrivals.setdefault(json.dumps(rows, sort_keys=True), time.time() * 1000)


def test_live(run, pictures):
    arrivals, stop = {}, threading.Event()
    threading.Thread(target=follow_events, args=(run, arrivals, stop), daemon=True).start()
    wait_for("the first event", lambda: arrivals)
    run.page("/", 390, 844)
    run.script("""window.shown = [];
        new MutationObserver(() => window.shown.push([Date.now(),
          [...document.querySelectorAll('#rows tr')].map((tr) =>
            ({value: tr.cells[0].textContent, name: tr.cells[1].textContent}))]))
        .observe(document.getElementById('rows'), {childList: true, subtree: true});""")
    shown = wait_for("ten changes of the live page", lambda: run.script(
        "return window.shown.length >= 10 && window.shown"))
    stop.set()
    lags = []
    for i, (at, rows) in enumerate(shown):
        key = json.dumps(rows, sort_keys=True)
        # The first may be the reading the page was sent on connecting, which
        # a newer frame replaced before the next push reached our own client.
        if i == 0 and key not in arrivals:
            continue
        check(key in arrivals, "the page showed rows the server never sent: %s" % key)
        lags.append(at - arrivals[key])
    lags = lags[1:]  # the first is the reading sent on connecting, which we had before the page
    print("live page: %d updates, shown %.0f ms (median) and %.0f ms (most) after the event"
          % (len(lags), statistics.median(lags), max(lags)))
    # The values are the simulator's, to the places the list shows.
    sent = [dict(re.findall(r"(volts|amps|watts)=(\S+)", l))
            for l in open(os.path.join(run.folder, "sent.txt")) if "checksum=ok" in l]
    values = {r["name"]: r["value"] for r in shown[-1][1]}
    check(set(values) >= {"Volts", "Amps", "Watts", "WattHours", "RPM", "mph"},
          "rows missing: %s" % values)

    def near(name, key):
        text = values[name]
        unit = 10 ** -len(text.split(".")[1]) if "." in text else 1
        return lambda frame: abs(float(text) - float(frame[key])) <= unit / 2 + 1e-9
    check(any(all(near(n, k)(f) for n, k in (("Volts", "volts"), ("Amps", "amps"),
                                             ("Watts", "watts"))) for f in sent[-40:]),
          "the live page's %s is none of the last frames sent" % values)
    wait_for("the hour chart", lambda: run.script(
        "const c = window.tamselLive.hourChart; return c.graph && c.records.length >= 40"))
    run.driver.save_screenshot(os.path.join(pictures, "live-phone.png"))


def test_day(run, full_day, pictures):
    run.page("/day?date=" + full_day, 1280, 800)
    wait_for("the full day's chart", lambda: run.script("return window.tamselDay.loads >= 1"))
    drawn = run.script("""const d = window.tamselDay, c = d.chart;
        return {records: c.records.length, band: c.band, rows: c.graphs.map((g) => g.numRows()),
                width: document.getElementById('chart').clientWidth, dots: d.curve.graph.numRows(),
                units: [...document.querySelectorAll('#chart .dygraph-ylabel')].map((l) => l.textContent),
                t: d.timings}""")
    # Too many for the panels' pixel columns: each column shows its lowest, mean and highest.
    check(drawn["records"] == FULL_DAY_RECORDS and drawn["band"] and drawn["dots"] == FULL_DAY_RECORDS
          and len(set(drawn["rows"])) == 1 and drawn["rows"][0] <= drawn["width"],
          "the chart of a day of %d records drew %s" % (FULL_DAY_RECORDS, drawn))
    check(drawn["units"] == ["V", "A", "W", "RPM", "mph"], "the panels' axes read %s" % drawn["units"])
    t = drawn["t"]
    print("day page of %d records: drawn %.0f ms and painted %.0f ms after the response"
          % (t["records"], t["drawn"] - t["responseEnd"], t["painted"] - t["responseEnd"]))

    minute_day = (datetime.date.fromisoformat(full_day) - datetime.timedelta(days=1)).isoformat()
    run.page("/day?date=" + minute_day, 390, 844)
    wait_for("the minute day's chart", lambda: run.script("return window.tamselDay.loads >= 1"))
    t = run.script("return window.tamselDay.timings")
    print("day page of %d records on a phone: drawn %.0f ms and painted %.0f ms after the response"
          % (t["records"], t["drawn"] - t["responseEnd"], t["painted"] - t["responseEnd"]))
    run.page("/day?date=" + full_day, 1280, 800)
    wait_for("the full day's chart", lambda: run.script("return window.tamselDay.loads >= 1"))

    # A drag over the chart loads the stretch it covered, ends included.
    chart = run.driver.find_element(By.ID, "chart")
    ActionChains(run.driver).move_to_element_with_offset(chart, -200, 0).click_and_hold() \
        .move_by_offset(300, 0).release().perform()
    wait_for("the zoomed load", lambda: run.script("return window.tamselDay.loads >= 2"))
    start, end = (run.driver.find_element(By.ID, i).get_attribute("value") for i in ("from", "to"))
    path = os.path.join(run.folder, "logs", "P_" + full_day.replace("-", "_") + ".txt")
    expected = day_records(path, start, end)
    rows = run.script("return window.tamselDay.chart.records.length")
    check(start < end and rows == len(expected),
          "the zoom to %s-%s drew other than its %d records" % (start, end, len(expected)))

    # The CSV link downloads exactly what the export gives for that range.
    run.driver.find_element(By.ID, "csv").click()
    name = wait_for("the download", lambda: os.path.isdir(run.downloads) and [
        n for n in os.listdir(run.downloads) if n.endswith(".csv")])[0]
    with open(os.path.join(run.downloads, name), "rb") as f:
        downloaded = f.read()
    export, headers = run.get("/day.csv?date=%s&from=%s&to=%s" % (full_day, start, end))
    check(downloaded == export, "the downloaded CSV differs from the export")
    check(name in headers["Content-Disposition"], "downloaded as " + name)
    lines = downloaded.split(b"\r\n")
    check(lines[0] == b"TIME,VOLTS,AMPS,WATTS,RPM,SPEED" and lines[-1] == b""
          and [l[:5].decode() for l in lines[1:-1]] == [t for t, _ in expected]
          and all(re.fullmatch(rb"\d\d:\d\d(,[-\d.]*){5}", l) for l in lines[1:-1]),
          "the CSV is not the header and one line per record: %r" % lines[:3])

    shown = (datetime.date.today() - datetime.timedelta(days=1)).isoformat()
    run.page("/day?date=%s&from=09:00&to=12:00" % shown, 1280, 800)
    wait_for("a day's chart", lambda: run.script("return window.tamselDay.loads >= 1"))
    # The half hour without records is a break in the line, not a line across it.
    drawn = run.script("""const c = window.tamselDay.chart, g = c.graph;
        const breaks = [];
        for (let r = 0; r < g.numRows(); ++r)
          if (g.getValue(r, 1) === null) breaks.push(new Date(g.getValue(r, 0)).toTimeString().slice(0, 5));
        return {rows: g.numRows(), records: c.records.length, breaks}""")
    check(drawn["breaks"] == ["10:14"] and drawn["rows"] == drawn["records"] + 1
          and not run.script("return window.tamselDay.chart.band"),
          "the hole from 10:00 to 10:29 is drawn as %s" % drawn)
    run.driver.save_screenshot(os.path.join(pictures, "day-desktop.png"))


def test_energy(run):
    first = datetime.date.today().replace(day=1)
    month = first - datetime.timedelta(days=1)  # a month that is over
    run.page("/energy?year=%d&month=%02d" % (month.year, month.month), 1280, 800)
    wait_for("the energy bars", lambda: run.script("return window.tamselEnergy.loads >= 1"))
    logs = os.path.join(run.folder, "logs")
    days = {n: day_energy(os.path.join(logs, n)) for n in os.listdir(logs)
            if n.startswith(month.strftime("P_%Y_%m_"))}
    total = run.driver.find_element(By.ID, "month-total").text
    check(total == energy_text(sum(days.values())),
          "month total %s, the day files give %s" % (total, energy_text(sum(days.values()))))
    best = max(days, key=days.get)
    figures = [run.driver.find_element(By.ID, i).text for i in ("month-average", "month-best")]
    wanted = [energy_text(sum(days.values()) / len(days)), "%s on %s" % (
        energy_text(days[best]), best[2:12].replace("_", "-"))]
    check(figures == wanted, "average and best day %s, the day files give %s" % (figures, wanted))
    # Beside each month, the same month of the year before, from its own day files.
    before = run.script("return window.tamselEnergy.before")
    earlier = [sum(day_energy(os.path.join(logs, n)) for n in os.listdir(logs)
                   if n.startswith("P_%d_%02d_" % (month.year - 1, m))) for m in range(1, 13)]
    check(all(abs(b["wattHours"] - e) < 1e-6 for b, e in zip(before["months"], earlier)),
          "the year before %s, its day files give %s" % (before["months"], earlier))
    heights = [b.get_attribute("style") for b in run.driver.find_elements(
        By.CSS_SELECTOR, "#month-bars .bar.previous")]
    check(len(heights) == 12 and sum(h != "height: 0px;" for h in heights)
          == sum(e > 0 for e in earlier) >= (month.year == datetime.date.today().year),
          "last year's bars %s for %s" % (heights, earlier))
    bars = run.driver.find_elements(By.CSS_SELECTOR, "#day-bars .bar-value")
    shown = [b.get_attribute("textContent") for b in bars]
    names = (month.replace(day=d).strftime("P_%Y_%m_%d.txt") for d in range(1, len(bars) + 1))
    wanted = [whole_wh(days[n])[:-3] if n in days else "" for n in names]
    check(shown == wanted, "day bars %s, the day files give %s" % (shown, wanted))
    answer = run.script("return window.tamselEnergy.answer")
    year_total = run.driver.find_element(By.ID, "year-total").text
    check(year_total == energy_text(answer["yearTotal"])
          and abs(answer["yearTotal"] - sum(m["wattHours"] for m in answer["months"])) < 1e-6,
          "year total %s, its months give %s" % (year_total, answer["months"]))
    print("energy page: %s in %d day files, year %s" % (total, len(days), year_total))


def test_turbine(run, pictures):
    """The turbine page over the last week: both charts drawn, a table row per bin and day."""
    run.write("turbine.cfg", "Turbine Config File\r\n\r\n<RotorDiameter>2</RotorDiameter>\r\n"
              "<Curve>3:20 6:150 10:600</Curve>\r\n<MinBinMinutes>1</MinBinMinutes>\r\n")
    week = datetime.date.today() - datetime.timedelta(days=7)
    run.page("/turbine?from=%s&to=%s" % (week, datetime.date.today()), 1280, 1600)
    wait_for("the turbine page", lambda: run.script("return window.tamselTurbine.loads >= 1"))
    answer = run.script("return window.tamselTurbine.answer")
    rows = lambda table: len(run.driver.find_elements(By.CSS_SELECTOR, table + " tbody tr"))
    check(len(answer["bins"]) > 3 and rows("#bins") == len(answer["bins"]),
          "%d bin rows for %d bins" % (rows("#bins"), len(answer["bins"])))
    check(rows("#aep") == 8 and rows("#battery") == len(answer["battery"]) == 8,
          "%d annual energy rows, %d battery rows" % (rows("#aep"), rows("#battery")))
    for chart in ("#curve", "#volts"):
        check(run.driver.find_elements(By.CSS_SELECTOR, chart + " canvas"), chart + " not drawn")
    run.driver.save_screenshot(os.path.join(pictures, "turbine-desktop.png"))
    print("turbine page: %d bins, %d days" % (len(answer["bins"]), len(answer["battery"])))


def test_hour_on_open(run):
    """A page opened while the logger has run a while draws the hour before it."""
    kept = len(run.get_json("/api/recent")["readings"])
    check(kept >= 20, "the logger kept only %d readings" % kept)
    opened = time.time() * 1000
    run.page("/", 1280, 800)
    filled = wait_for("the hour before the page", lambda: run.script(
        "const l = window.tamselLive; return l && l.recent !== null && l.recent"))
    check(filled >= kept, "the page took %d of the %d readings kept" % (filled, kept))
    first = wait_for("the hour chart", lambda: run.script(
        "const c = window.tamselLive.hourChart; return c.graph && c.xs[0].getTime()"))
    check(first < opened - 15000, "the hour chart starts only %.0f s before the page opened"
          % ((opened - first) / 1000))
    print("live page opened: %d records and readings of the hour before it drawn at once"
          % filled)


def live_status(run):
    return run.script("""const text = (id) => document.getElementById(id);
        return {port: text('port').textContent, portClass: text('port').className,
                lastFrame: text('last-frame').textContent,
                error: text('last-error').hidden ? null : text('last-error').textContent,
                updates: text('connection').textContent,
                stale: document.getElementById('rows').classList.contains('stale'),
                glanceStale: document.getElementById('glance').classList.contains('stale')}""")


def test_silent_board(run):
    """The board goes: the port's problem in red, the values greyed, the last
    frame's age; it comes back: the error line goes and the values are live."""
    run.page("/", 390, 844)
    wait_for("a live page", lambda: live_status(run)["port"] == "open"
             and not live_status(run)["stale"])
    run.board.terminate()
    run.board.wait(10)
    lost = wait_for("the port's problem", lambda: (lambda s: s["port"].startswith("closed: ")
                                                    and s["error"] and s)(live_status(run)))
    check(lost["portClass"] == "bad", "the lost port is not shown as a problem: %s" % lost)
    stale = wait_for("the values greyed", lambda: (lambda s: s["stale"] and s)(live_status(run)),
                     DEADLINE_S + STALE_AFTER_S)
    check(re.search(r", \d+ s ago$", stale["lastFrame"])
          and int(stale["lastFrame"].split(", ")[1].split()[0]) >= STALE_AFTER_S,
          "the last frame's age is not told: %r" % stale["lastFrame"])
    check(stale["updates"] == "following", "live updates: %r" % stale["updates"])
    check(stale["glanceStale"], "the battery's word is not greyed with the values")
    run.board = run.start_board()
    back = wait_for("the port back and the error gone", lambda: (
        lambda s: s["port"] == "open" and s["error"] is None and not s["stale"]
        and not s["glanceStale"] and s)(
            live_status(run)))
    print("silent board: %r, %r; back: %r" % (lost["port"], stale["lastFrame"], back["lastFrame"]))


def banner(run):
    """The alarm banner's text, or None while it is hidden or not there."""
    return run.script("""const b = document.getElementById('alarm-banner');
        return b && !b.hidden ? b.textContent : null""")


def test_alarm_banner(run):
    alarm = Run(*run.tools)
    alarm.port += 1
    alarm.driver = run.driver  # the same browser
    try:
        alarm.configure()
        alarm.write("alarm.cfg", "Alarm Config File\r\n\r\n<LowVolts>11.5</LowVolts>\r\n"
                    "<HoldSeconds>0</HoldSeconds>\r\n")
        alarm.start_programs(("--low-volts", "11", "--low-volts-after", "0",
                              "--low-volts-for", str(LOW_VOLTS_S)))
        wait_for("the low-volts alarm", lambda: alarm.get_json("/api/reading")["alarmActive"])
        for path in ("/day", "/energy", "/"):
            alarm.page(path, 1280, 800)
            text = wait_for("the banner on " + path, lambda: banner(alarm))
            check(text.startswith("Alarm: Battery volts low since "),
                  "the banner on %s says %r" % (path, text))
        wait_for("the battery's word Low", lambda: alarm.script(
            "return document.getElementById('battery-state').textContent") == "Low")
        rows = alarm.get_json("/api/summary")["rows"]
        check(rows and rows[-1]["date"] == datetime.date.today().isoformat() and rows[-1]["alarm"],
              "the summary does not show today's alarm: %s" % rows[-1:])
        wait_for("the banner to go when the alarm clears", lambda: banner(alarm) is None,
                 DEADLINE_S + LOW_VOLTS_S)
        check(not alarm.get_json("/api/reading")["alarmActive"], "the alarm is still raised")
        print("alarm banner: shown on every page while raised, gone once cleared")
    finally:
        alarm.driver = None
        alarm.close()


def main():
    tamsel, board_sim, history_gen, pictures = sys.argv[1:5]
    os.makedirs(pictures, exist_ok=True)
    run = Run(tamsel, board_sim, history_gen)
    began = time.monotonic()
    try:
        run.configure()
        full_day = run.make_days()
        run.start_programs()
        run.open_browser()
        test_live(run, pictures)
        test_day(run, full_day, pictures)
        test_energy(run)
        test_glance(run, pictures)
        test_summary(run)
        test_turbine(run, pictures)
        test_alarm_banner(run)
        test_hour_on_open(run)
        test_silent_board(run)
        errors = run.console_errors()
        check(not errors, "the browser reported errors: %s" % errors)
    finally:
        run.close()
    print("browser test passed in %.1f s; pictures in %s" % (time.monotonic() - began, pictures))


if __name__ == "__main__":
    main()
