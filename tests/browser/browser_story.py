#!/usr/bin/python3
"""Plays the browser copy in headless chromium as a person would, and looks at it.

Serves the page, waits out the intro, chooses "New Game", "Single Player" and
"Easy", drags a circle with the mouse, another with a finger, then two at once
with two fingers, taps the board twice for the options menu and saves the game.
The save must reach the page's IndexedDB, and be the board on the screen. Then
it reloads the page in the game, which must save the game on the way out, and
loads the save from the list: every circle comes back where it was. Last, the
page at a phone's size, upright and on its side: the picture fits, letterboxed,
drawn at the device pixel ratio. The page is 480 x 320 CSS pixels at two device
pixels each, so input is given in the game's landscape points, and screenshots,
halved, are looked at with the window test's eyes.

Usage: browser_story.py SITE_FOLDER OUTPUT_FOLDER
"""
import base64
import os
import plistlib
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "window"))
from cdp import Browser, serve, wait_for  # noqa: E402
from window_test import (ALERT_BUTTON, DEEP_GREEN, FIRST_ROW, GREEN, MENU_SECOND, OPTIONS_SAVE, PAPER,  # noqa: E402
                         VEILED_GREEN, check, circles, close, count, dark_text, empty_spot, game_shown, look_until,
                         main_menu, open_game)

# Every saved-game file in the page's IndexedDB, as IDBFS keeps them: path -> base64 of the bytes.
SAVED_FILES = """new Promise((resolve, reject) => {
  const open = indexedDB.open('/saves');
  open.onerror = () => reject(open.error);
  open.onsuccess = () => {
    const files = {};
    const cursor = open.result.transaction('FILE_DATA').objectStore('FILE_DATA').openCursor();
    cursor.onsuccess = () => {
      const entry = cursor.result;
      if (!entry) return resolve(files);
      if (entry.value.contents) files[entry.key] = btoa(String.fromCharCode(...entry.value.contents));
      entry.continue();
    };
  };
})"""


class Page:
    """The page as the window test's helpers expect a game: looked at in landscape points."""

    def __init__(self, browser):
        self.browser = browser

    def screenshot(self, path):
        shot = self.browser.screenshot(path)
        return shot.reduce(2)

    def look_until(self, path, shows, seconds=8):
        return look_until(self.screenshot, path, shows, seconds)

    def click(self, at):
        self.browser.click(at)

    def steps(self, starts, ends, count=12):
        for i in range(1, count + 1):
            yield [(s[0] + (e[0] - s[0]) * i / count, s[1] + (e[1] - s[1]) * i / count) for s, e in zip(starts, ends)]
            time.sleep(0.02)

    def drag(self, starts, ends):
        self.browser.press(starts[0])
        for (at,) in self.steps(starts, ends):
            self.browser.mouse("mouseMoved", at)
        self.browser.mouse("mouseReleased", ends[0], buttons=0)

    def swipe(self, starts, ends):
        """One finger for each start, all moving at once."""
        self.browser.touch("touchStart", list(enumerate(starts)))
        for points in self.steps(starts, ends):
            self.browser.touch("touchMove", list(enumerate(points)))
        self.browser.touch("touchEnd", [])

    def tap(self, at):
        self.browser.touch("touchStart", [(0, at)])
        self.browser.touch("touchEnd", [])

    def saved_files(self):
        return {path: base64.b64decode(data) for path, data in self.browser.evaluate(SAVED_FILES).items()}


def has_won(picture):
    return close(picture.getpixel((170, 235)), PAPER, 12)


def move_circles(page, path, found, how, fingers):
    """Moves the `fingers` circles with most room around them to free places, by `how`
    (page.drag or page.swipe); answers the circles seen after, on a new board if that won the level."""
    def room(c):
        return min([abs(c[0] - o[0]) + abs(c[1] - o[1]) for o in found if o != c] or [999])
    starts = [(round(c[0]), round(c[1])) for c in sorted(found, key=room, reverse=True)[:fingers]]
    targets = []
    for _ in starts:
        targets.append(empty_spot(found, avoid=starts + targets))
    how(starts, targets)

    def seen(picture):
        return circles(picture, VEILED_GREEN if has_won(picture) else GREEN)

    def moved(picture):
        return all(any(close(c, t, 3) for c in seen(picture)) for t in targets)
    time.sleep(0.6)  # a "You Win!" panel would be flipping in by now
    picture = page.look_until(path, moved)
    after = seen(picture)
    check(moved(picture), f"{how.__name__}: circles followed from {starts} to {targets}")
    check(not any(close(c, s, 3) for c in after for s in starts), "and left their old places")
    if has_won(picture):
        print("the move solved the level")
        page.click(OPTIONS_SAVE)  # "Next Level"
        after = circles(page.look_until(path, lambda p: not has_won(p) and len(circles(p)) >= 3))
    return after


def saved_nodes(data):
    """The saved board's circles in landscape points."""
    record = plistlib.loads(data)
    check(record["NumberOfNodes"] == len(record["xNodes"]) == len(record["yNodes"]), "the save is a whole board")
    return [(480 - y, x) for x, y in zip(record["xNodes"], record["yNodes"])]


def story(browser, address, out):
    page = Page(browser)
    browser.viewport(480, 320, 2)
    browser.page("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    browser.load(address)
    board = open_game(page, out)
    found = circles(board)
    check(len(found) >= 3, f"circles are seen on the board ({len(found)} stand alone)")
    found = move_circles(page, os.path.join(out, "3-mouse.png"), found, page.drag, 1)
    found = move_circles(page, os.path.join(out, "3-touch.png"), found, page.swipe, 1)
    found = move_circles(page, os.path.join(out, "3-two-fingers.png"), found, page.swipe, 2)

    spot = empty_spot(found)
    page.tap(spot)
    time.sleep(0.1)
    page.tap(spot)

    def menu_shown(picture):
        return has_won(picture) and dark_text(picture, (185, 120, 295, 220)) > 300
    check(menu_shown(page.look_until(os.path.join(out, "4-options-menu.png"), menu_shown)),
          "a double tap opened the options menu")
    page.click(OPTIONS_SAVE)
    alert = page.look_until(os.path.join(out, "5-saved.png"), lambda p: dark_text(p, (100, 100, 380, 170)) > 150)
    check(dark_text(alert, (100, 100, 380, 170)) > 150, "\"Save Game\" answers with an alert")
    files = wait_for(page.saved_files)
    check(len(files) == 1, f"the save reached IndexedDB ({list(files)})")
    nodes = saved_nodes(next(iter(files.values())))
    check(all(any(close(c, n, 3) for n in nodes) for c in found), "with every circle where the screen shows it")
    page.click(ALERT_BUTTON)
    time.sleep(0.8)  # the alert fades out

    browser.load()
    autos = wait_for(lambda: [f for f in page.saved_files() if "]-auto, LVL " in f], seconds=15)
    check(len(autos) == 1, f"leaving the page in a game saved it ({autos})")
    page.look_until(os.path.join(out, "6-reloaded.png"), lambda p: count(p, (90, 60, 390, 260), DEEP_GREEN, 30) > 300)
    page.click((240, 160))  # skips the intro
    main_menu(page, os.path.join(out, "6-main-menu.png"))
    page.click(MENU_SECOND)

    def listed(picture):
        return count(picture, (90, 75, 390, 270), (255, 255, 255), 4) > 40000 and dark_text(picture, (80, 70, 400, 85)) > 100
    check(listed(page.look_until(os.path.join(out, "7-load-panel.png"), listed)),
          "\"Load Game\" lists both saves after the reload")
    page.click(FIRST_ROW)
    loaded = circles(page.look_until(os.path.join(out, "8-loaded.png"), game_shown))
    check(len(loaded) == len(found) and all(any(close(c, o, 3) for o in loaded) for c in found),
          "loading brings back every circle where it was")

    for name, size in (("phone-portrait.png", (390, 844)), ("phone-landscape.png", (844, 390))):
        browser.viewport(*size, 2, mobile=True)
        canvas = wait_for(lambda: browser.evaluate("[canvas.width, canvas.height]") == [size[0] * 2, size[1] * 2])
        check(canvas, f"at {size[0]} x {size[1]}, the canvas has two pixels a CSS pixel")
        time.sleep(0.3)
        shot = browser.screenshot(os.path.join(out, name))
        scale = min(shot.width / 480, shot.height / 320)
        margin = ((shot.width - 480 * scale) // 2, (shot.height - 320 * scale) // 2)
        bars = [(0, 0, shot.width, int(margin[1])), (0, 0, int(margin[0]), shot.height)]
        check(all(count(shot, box, (0, 0, 0), 0) == (box[2] - box[0]) * (box[3] - box[1]) for box in bars),
              "the game keeps its proportions between black bars")
        middle = shot.crop((int(margin[0]), int(margin[1]), int(shot.width - margin[0]), int(shot.height - margin[1])))
        check(len(circles(middle.resize((480, 320)))) >= 3, "and fits between them whole")

    errors = [line for line in browser.console() if "lirvo:" in line]
    check(not errors, f"the game reported no problem ({errors})")


def main():
    site, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    browser = Browser()
    started = time.monotonic()
    try:
        story(browser, serve(site), out)
    finally:
        browser.close()
    print(f"the browser story took {time.monotonic() - started:.1f} s; screenshots in {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
