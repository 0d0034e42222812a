#!/usr/bin/python3
"""Measures the browser copy in headless chromium (software rendering): the time
from navigation to the first frame, unthrottled and on a slow phone's line and
processor (the page served gzipped), the cost of a drag's frames on boards of
100 and 1,000 circles, the CPU the main menu takes while idle, and the size of
what a player's first visit downloads at each pictures' scale, gzipped. Every
load is a first visit: past the service worker, the browser's cache off.
Prints the numbers; asserts nothing.

Usage: measure.py SITE_FOLDER
"""
import functools
import gzip
import http.server
import json
import os
import plistlib
import random
import statistics
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "browser"))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "window"))
from cdp import Browser, serve, wait_for  # noqa: E402
from window_test import DEEP_GREEN, FIRST_ROW, HINT, MENU_SECOND, count  # noqa: E402

FIRST_FRAME = "performance.getEntriesByName('lirvo-first-frame').map(e => e.startTime)[0]"
FIRST_PAINT = "performance.getEntriesByName('first-contentful-paint').map(e => e.startTime)[0]"
# What the page fetches first, whatever the screen, beside the pictures of its scale.
SHARED = ["index.html", "lirvo.js", "lirvo.wasm", "fonts.js", "fonts.data"]
# A mouse drag made in the page itself, one move a frame for a while: [frames, milliseconds].
IN_PAGE_DRAG = """new Promise(resolve => {
  const [x0, y0, duration] = [%d, %d, %d];
  const mouse = (type, x, y, buttons) =>
    canvas.dispatchEvent(new MouseEvent(type, {clientX: x, clientY: y, buttons, button: 0, bubbles: true}));
  mouse('mousemove', x0, y0, 0);
  mouse('mousedown', x0, y0, 1);
  let frames = 0, x = x0, y = y0;
  const begun = performance.now();
  const step = now => {
    frames++;
    x = x0 + 100 * (frames %% 40) / 40;
    y = y0 + 40 * (Math.floor(frames / 40) %% 2);
    mouse('mousemove', x, y, 1);
    if (now - begun < duration) return requestAnimationFrame(step);
    mouse('mouseup', x, y, 0);
    resolve([frames, performance.now() - begun]);
  };
  requestAnimationFrame(step);
})"""
# A saved game put straight into the page's store of saved games, newer than any other.
PUT_SAVE = """new Promise((resolve, reject) => indexedDB.open('lirvo').onsuccess = opened => {
  const transaction = opened.target.result.transaction('saves', 'readwrite');
  transaction.objectStore('saves').put(Object.assign(%s, {saved: Date.now()}));
  transaction.oncomplete = resolve;
  transaction.onerror = () => reject(transaction.error);
})"""


class Gzipped(http.server.SimpleHTTPRequestHandler):
    """Every file gzipped, as a web server would send it."""
    def do_GET(self):
        path = self.translate_path(self.path)
        path = os.path.join(path, "index.html") if os.path.isdir(path) else path
        try:
            with open(path, "rb") as f:
                body = gzip.compress(f.read(), 6)
        except OSError:
            return self.send_error(404)
        self.send_response(200)
        for header, value in (("Content-Type", self.guess_type(path)), ("Content-Encoding", "gzip"),
                              ("Content-Length", str(len(body)))):
            self.send_header(header, value)
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def serve_gzipped(site):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Gzipped, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}/"


def task_seconds(browser):
    metrics = browser.page("Performance.getMetrics")["metrics"]
    return next(m["value"] for m in metrics if m["name"] == "TaskDuration")


def chromium_cpu_seconds(browser):
    """CPU time of chromium and every process it started."""
    total = 0
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            with open(f"/proc/{pid}/cmdline") as f:
                if browser.profile not in f.read():
                    continue
        except OSError:
            continue
        total += (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    return total


def board(circles):
    rng = random.Random(circles)
    return plistlib.dumps({
        "IsGameEnded": False, "Difficulty": "Easy", "Level": circles - 6, "Score": 0, "ScoreInc": 10,
        "TimeTrial": False, "Minutes": 0, "Seconds": 0, "NumberOfNodes": circles,
        "xNodes": [rng.randint(20, 300) for _ in range(circles)],
        "yNodes": [rng.randint(40, 460) for _ in range(circles)],
        "Links": [[i + 1] if i + 1 < circles else [] for i in range(circles)]})


def first_frame(browser, address):
    times = []
    for _ in range(3):
        browser.load(address)
        time.sleep(0.2)
        times.append(wait_for(lambda: browser.evaluate(FIRST_FRAME), seconds=20))
    print(f"first frame after navigation: {statistics.median(times):.0f} ms (median of {times})")


def throttled_first_paint(browser, address):
    """A phone on a slow line: 4x CPU slowdown, 4 Mbit/s, 150 ms latency."""
    browser.page("Emulation.setCPUThrottlingRate", rate=4)
    browser.page("Network.emulateNetworkConditions", offline=False, latency=150, downloadThroughput=500_000,
                 uploadThroughput=500_000)
    for width, height, scale in ((480, 320, 1), (480, 320, 2), (844, 390, 3)):
        browser.viewport(width, height, scale)
        browser.load(address)
        frame = wait_for(lambda: browser.evaluate(FIRST_FRAME), seconds=60)
        print(f"throttled, {width} x {height} at {scale} device pixels a CSS pixel: loading screen painted at "
              f"{browser.evaluate(FIRST_PAINT):.0f} ms, the game's first frame at {frame:.0f} ms")
    browser.page("Emulation.setCPUThrottlingRate", rate=1)
    browser.page("Network.emulateNetworkConditions", offline=False, latency=0, downloadThroughput=-1,
                 uploadThroughput=-1)


def look(browser):
    """The page in landscape points, whatever its device pixel ratio."""
    shot = browser.screenshot()
    return shot.reduce(shot.width // 480)


def on_main_menu(browser, address):
    browser.load(address)
    wait_for(lambda: count(look(browser), (90, 60, 390, 260), DEEP_GREEN, 30) > 300)
    browser.click((240, 160))  # skips the intro
    # Once the service worker has cached the page, which the first visit does once (and chromium
    # compiles the cached program again meanwhile): a cost of the first minute, not of playing.
    browser.evaluate("navigator.serviceWorker.ready")
    time.sleep(2)


def idle(browser, address, seconds=10):
    on_main_menu(browser, address)
    task, cpu, start = task_seconds(browser), chromium_cpu_seconds(browser), time.monotonic()
    time.sleep(seconds)
    wall = time.monotonic() - start
    print(f"idle on the main menu: page main thread {100 * (task_seconds(browser) - task) / wall:.2f} % of a core, "
          f"all of chromium {100 * (chromium_cpu_seconds(browser) - cpu) / wall:.2f} %")


def drag(browser, address, circles, scale, seconds=3):
    browser.viewport(480, 320, scale)
    record = board(circles)
    name = f"bench-{circles}"
    # Put in once the page has left the last board, whose automatic save would otherwise come first.
    on_main_menu(browser, address)
    browser.evaluate(PUT_SAVE % json.dumps({"name": name, "plist": record.decode(), "id": name}))
    browser.click(MENU_SECOND)
    time.sleep(1.5)
    browser.click(FIRST_ROW)
    in_game = wait_for(lambda: count(look(browser), HINT, (255, 255, 255), 6) > 150, seconds=20)
    time.sleep(1.5)  # the flip into the game
    first = plistlib.loads(record)
    start = (480 - first["yNodes"][0], first["xNodes"][0])  # a circle, in landscape points
    task = task_seconds(browser)
    frames, wall = browser.evaluate(IN_PAGE_DRAG % (start[0], start[1], seconds * 1000))
    busy = task_seconds(browser) - task
    print(f"drag at {circles} circles, {scale} device pixels a CSS pixel"
          f"{'' if in_game else ' (THE BOARD DID NOT OPEN)'}: {frames / wall * 1000:.0f} frames "
          f"a second, {1000 * busy / frames:.1f} ms of the page's main thread a frame")


def sizes(site):
    packed = {}
    for name in sorted(os.listdir(site)):
        if os.path.isfile(path := os.path.join(site, name)):
            with open(path, "rb") as f:
                data = f.read()
            packed[name] = len(gzip.compress(data, 9))
            print(f"{name}: {len(data) / 1024:.0f} KiB, gzipped {packed[name] / 1024:.0f} KiB")
    for scale in (1, 2, 3):
        total = sum(packed[name] for name in SHARED + [f"pictures-{scale}x.js", f"pictures-{scale}x.data"])
        print(f"first visit of a {scale}x screen, gzipped: {total / 1024:.0f} KiB ({total} bytes)")
    rest = sum(packed[name] for name in ("manifest.webmanifest", "favicon.png", "icon-192.png", "icon-512.png",
                                         "service-worker.js"))
    print(f"besides, fetched by the browser for installing and offline play: {rest / 1024:.0f} KiB")


def main():
    site = sys.argv[1]
    address, _ = serve(site)
    browser = Browser()
    try:
        browser.page("Performance.enable")
        # Every load downloads everything again, as a player's first visit does.
        browser.page("Network.enable")
        browser.page("Network.setCacheDisabled", cacheDisabled=True)
        browser.page("Network.setBypassServiceWorker", bypass=True)
        throttled_first_paint(browser, serve_gzipped(site))
        browser.viewport(480, 320, 2)
        first_frame(browser, address)
        idle(browser, address)
        # Software rendering fills every device pixel on the CPU: the ratio weighs as much as the board.
        for scale in (1, 2):
            for circles in (100, 1000):
                drag(browser, address, circles, scale)
    finally:
        browser.close()
    sizes(site)
    return 0


if __name__ == "__main__":
    sys.exit(main())
