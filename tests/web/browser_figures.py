"""What the browser test works out on its own from the day files it made
(energy, amp-hours, extremes, the stretches compared), the waiting and
checking every part of it shares, and the checks of the figures an owner
reads first: the top of the live page and the daily summary."""
import datetime
import os
import re
import time
from decimal import ROUND_HALF_UP, Decimal

from selenium.webdriver.common.by import By

DEADLINE_S = 30  # generous: only a real failure runs into it
LOG_DELAY = 1  # prog.cfg's logging interval, which the day energy is reckoned with
FULL_DAY_RECORDS = 9999  # the most one range may hold
LOW_VOLTS_S = 15  # how long the second logger's battery is low: time to visit the three pages
STALE_AFTER_S = 10  # a last frame older than this is greyed on the live page


def wait_for(what, condition, deadline_s=DEADLINE_S):
    end = time.monotonic() + deadline_s
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def whole_wh(value):
    """A figure as the pages print watt-hours: "####0", halves away from zero."""
    rounded = Decimal(format(value, ".15g")).quantize(Decimal(1), rounding=ROUND_HALF_UP)
    return "%d Wh" % rounded


def day_records(path, start="00:00", end="23:59"):
    """Times and watts of a day file's records within the range, ends included."""
    low, high = (int(t[:2]) * 60 + int(t[3:]) for t in (start, end))
    records = []
    with open(path, "rb") as f:
        for line in f.read().decode("latin-1").replace("\r\n", "\n").split("\n"):
            t = re.search(r"<T>(\d\d):(\d\d)</T>", line)
            if not t or int(t[1]) > 23 or int(t[2]) > 59:
                continue
            if low <= int(t[1]) * 60 + int(t[2]) <= high:
                w = re.search(r"<W>([^<]*)</W>", line)
                try:
                    watts = float(w[1]) if w else 0.0
                except ValueError:
                    watts = 0.0
                records.append((t[1] + ":" + t[2], watts))
    return records


def day_energy(path, until="23:59"):
    records = day_records(path, "00:00", until)
    return LOG_DELAY * sum(w for _, w in records[1:]) / 3600


def day_fields(path):
    """Every record of a day file as (HH:MM, volts, amps, watts, rpm, wind)."""
    def number(line, tag):
        m = re.search(r"<%s>([^<]*)</%s>" % (tag, tag), line)
        try:
            return float(m[1]) if m else 0.0
        except ValueError:
            return 0.0
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").replace("\r\n", "\n").split("\n")
    rows = [(t[1] + ":" + t[2],) + tuple(number(l, k) for k in "VIWRS")
            for l in lines for t in [re.search(r"<T>(\d\d):(\d\d)</T>", l)]
            if t and int(t[1]) <= 23 and int(t[2]) <= 59]
    # As the log history reads them: RPM above 500 is taken as 0.
    return [r[:4] + (0.0 if r[4] > 500 else r[4], r[5]) for r in rows]


def battery_figures(path):
    """A day's figures worked out here: Ah, the extremes with the first time of each."""
    rows = day_fields(path)
    first = lambda pick, column: pick(rows, key=lambda r: r[column])
    low, high, peak = first(min, 1), first(max, 1), first(max, 3)
    return {"ampHours": LOG_DELAY * sum(r[2] for r in rows) / 3600,
            "minVolts": low[1], "minAt": low[0], "maxVolts": high[1], "maxAt": high[0],
            "peakWatts": peak[3], "peakAt": peak[0], "maxRpm": max(r[4] for r in rows),
            "maxWind": max(r[5] for r in rows)}


def mask(value, places):
    """A figure as the pages print it under a mask with `places` decimals."""
    step = Decimal(1).scaleb(-places)
    return str(Decimal(format(value, ".15g")).quantize(step, rounding=ROUND_HALF_UP))


def energy_text(wh):
    return mask(wh, 0) + " Wh" if abs(wh) < 1000 else mask(wh / 1000, 2) + " kWh"


def stretch_energy(logs, first, last, until, today=None):
    """The day files' energy from `first` to `last`, the last up to `until`; None without any."""
    total, found, day = 0.0, False, first
    while day <= last:
        path = os.path.join(logs, day.strftime("P_%Y_%m_%d.txt"))
        if day != today and os.path.exists(path):
            total += day_energy(path, until if day == last else "23:59")
            found = True
        day += datetime.timedelta(days=1)
    return total if found else None


def months_earlier(day, months):
    """The same day `months` earlier, or that month's last; and whether it was cut short."""
    index = day.year * 12 + day.month - 1 - months
    year, month = divmod(index, 12)
    following = datetime.date(year + (month == 11), (month + 1) % 12 + 1, 1)
    last = (following - datetime.timedelta(days=1)).day
    return datetime.date(year, month + 1, min(day.day, last)), day.day > last


def test_glance(run, pictures):
    """The top of the live page against the day files: today's figures, this
    month and year beside the same stretch before, the battery's word."""
    run.page("/", 1280, 900)
    wait_for("the figures", lambda: run.script(
        "return window.tamselLive && window.tamselLive.glanceLoads >= 1"))
    logs = os.path.join(run.folder, "logs")
    # Records arrive every second: the answer and the file read just after it agree at last.
    def today_matches():
        g = run.get_json("/api/glance")
        now = datetime.datetime.fromisoformat(g["now"])
        own = battery_figures(os.path.join(logs, now.strftime("P_%Y_%m_%d.txt")))
        t = g["today"]
        same = all(abs(t[k] - own[k]) < 1e-6 if isinstance(own[k], float) else t[k] == own[k]
                   for k in own)
        return same and (g, own)
    g, own = wait_for("today's figures to match the day file", today_matches)
    now = datetime.datetime.fromisoformat(g["now"])
    today, until = now.date(), now.strftime("%H:%M")
    month_before = stretch_energy(logs, today.replace(day=1), today, until, today)
    check(abs(g["month"]["wattHours"] - g["today"]["wattHours"] - (month_before or 0)) < 1e-6,
          "this month %s, the day files before today give %s" % (g["month"], month_before))
    first_last_month = months_earlier(today.replace(day=1), 1)[0]
    for key, first, months in (("lastMonth", first_last_month, 1),
                               ("lastYear", months_earlier(today.replace(day=1), 12)[0], 12)):
        last, cut = months_earlier(today, months)
        wanted = stretch_energy(logs, first, last, "23:59" if cut else until)
        shown = g["month"][key]
        check(shown["wattHours"] is not None and wanted is not None
              and abs(shown["wattHours"] - wanted) < 1e-6
              and abs(shown["percent"] - (g["month"]["wattHours"] - wanted) / wanted * 100) < 1e-6,
              "%s: %s, the day files give %s" % (key, shown, wanted))
    last, cut = months_earlier(today, 12)
    wanted = stretch_energy(logs, datetime.date(today.year - 1, 1, 1), last,
                            "23:59" if cut else until)
    check(abs(g["year"]["lastYear"]["wattHours"] - wanted) < 1e-6,
          "last year %s, the day files give %s" % (g["year"]["lastYear"], wanted))
    # The page shows the answer it drew, under the pages' masks.
    drawn = wait_for("the figures drawn", lambda: run.script(
        "return window.tamselLive.glance"))
    t = drawn["today"]
    text = lambda i: run.driver.find_element(By.ID, i).text
    check(text("today-min") == "%s V at %s" % (mask(t["minVolts"], 2), t["minAt"])
          and text("today-peak") == "%s W at %s" % (mask(t["peakWatts"], 0), t["peakAt"])
          and text("today-ah") == mask(t["ampHours"], 1) + " Ah"
          and text("today-energy-glance") == energy_text(t["wattHours"]),
          "today's figures drawn %s for %s" % ([text(i) for i in ("today-min", "today-peak",
                                                                  "today-ah")], t))
    month_row = run.driver.find_element(By.CSS_SELECTOR, "#compare tbody tr").text
    check(energy_text(drawn["month"]["lastYear"]["wattHours"]) in month_row,
          "this month's row %r lacks last year's %s" % (month_row, drawn["month"]["lastYear"]))
    # The word: no LowVolts nor HighVolts here; FullVolts is 1.2 x SV 12.
    word, volts = run.script("""return [document.getElementById('battery-state').textContent,
        document.getElementById('battery-volts').textContent]""")
    expected = "Full" if float(volts.split()[0]) >= 14.4 else "OK"
    check(abs(drawn["battery"]["fullVolts"] - 14.4) < 1e-9 and word == expected,
          "battery %s shown as %r" % (volts, word))
    run.driver.save_screenshot(os.path.join(pictures, "glance-desktop.png"))
    print("glance: battery %s %s, today %s, month %s against %s last month"
          % (volts, word, energy_text(t["wattHours"]), energy_text(g["month"]["wattHours"]),
             energy_text(g["month"]["lastMonth"]["wattHours"])))


def test_summary(run):
    """The daily summary of the last 31 days against the day files, sorted, and its CSV."""
    run.page("/summary", 1280, 900)
    wait_for("the summary", lambda: run.script("return window.tamselSummary.loads >= 1"))
    answer = run.script("return window.tamselSummary.answer")
    logs = os.path.join(run.folder, "logs")
    today = datetime.date.today()
    check(answer["to"] == today.isoformat()
          and answer["from"] == (today - datetime.timedelta(days=30)).isoformat(),
          "the summary covers %s to %s" % (answer["from"], answer["to"]))
    files = sorted(n for n in os.listdir(logs) if n.startswith("P_") and answer["from"].replace("-", "_") <= n[2:12]
                   <= answer["to"].replace("-", "_"))
    check([r["date"].replace("-", "_") for r in answer["rows"]] == [n[2:12] for n in files],
          "summary days %s, day files %s" % ([r["date"] for r in answer["rows"]], files))
    for row in answer["rows"]:
        if row["date"] == today.isoformat():
            continue  # still growing
        path = os.path.join(logs, "P_" + row["date"].replace("-", "_") + ".txt")
        own = dict(battery_figures(path), wattHours=day_energy(path), alarm=False)
        wrong = [k for k in own if (abs(row[k] - own[k]) > 1e-6 if isinstance(own[k], float)
                                    else row[k] != own[k])]
        check(not wrong, "%s: %s differ from the day file's %s" % (row["date"], wrong, own))
    run.driver.find_element(By.CSS_SELECTOR, "#daily th[data-key=wattHours] button").click()
    shown = [c.text for c in run.driver.find_elements(By.CSS_SELECTOR,
                                                      "#daily td[data-key=wattHours]")]
    ordered = [energy_text(r["wattHours"]) for r in sorted(answer["rows"],
                                                           key=lambda r: r["wattHours"])]
    check(shown == ordered, "sorted by energy: %s, wanted %s" % (shown, ordered))
    run.driver.find_element(By.ID, "csv").click()
    name = wait_for("the summary download", lambda: [
        n for n in os.listdir(run.downloads) if n.startswith("summary_") and n.endswith(".csv")])[0]
    with open(os.path.join(run.downloads, name), "rb") as f:
        downloaded = f.read()
    export = run.get("/summary.csv?from=%s&to=%s" % (answer["from"], answer["to"]))[0]
    lines = downloaded.split(b"\r\n")
    check(downloaded[:len(lines[0])] == export[:len(lines[0])] and len(lines) == len(answer["rows"]) + 2
          and [l[:10].decode() for l in lines[1:-1]] == [r["date"] for r in answer["rows"]],
          "the summary CSV is not one line per row: %r" % lines[:3])
    print("summary: %d days checked against their files, sorted, CSV %s" % (len(answer["rows"]), name))
