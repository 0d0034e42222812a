#!/usr/bin/python3
# Plays the browser copy in headless chromium as a person would, and looks at it.
#
# Serves the page, chooses "New Game", "Single Player" and "Easy", drags a
# circle with the mouse, another with a finger, then two at once with two
# fingers, taps the board twice for the options menu and saves the game. The
# save must reach the page's IndexedDB, and be the board on the screen. Then it
# reloads the page in the game, which must save the game on the way out, and
# loads the save from the list: every circle comes back where it was. Last, the
# page at a phone's size, upright and on its side: the picture fits,
# letterboxed, drawn at the device pixel ratio. The page is 480 x 320 CSS
# pixels at two device pixels each, so input is given in the game's landscape
# points, and screenshots, halved, are looked at with the window test's eyes.
#
# Usage: browser_story.py SITE_FOLDER OUTPUT_FOLDER
import base64, os, plistlib, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "window"))
from cdp import Browser, serve, wait_for  # noqa: E402
from window_test import (BLACK, DEEP_GREEN, FIRST_ROW, LIST, MENU_SECOND, WHITE, circles, close, count,  # noqa: E402
                         INK, empty_spot, game_shown, look_until, main_menu, menu_shown, move_circles,
                         open_game, save_game, steps)

# Every saved-game file in the page's IndexedDB, as IDBFS keeps them: path -> base64 of the bytes.
SAVED_FILES = """new Promise(resolve => indexedDB.open('/saves').onsuccess = opened => {
  const store = opened.target.result.transaction('FILE_DATA').objectStore('FILE_DATA'), keys = store.getAllKeys();
  store.getAll().onsuccess = values => resolve(Object.fromEntries(keys.result.map((key, i) => [key, values.target
    .result[i].contents]).filter(([, data]) => data).map(([key, data]) => [key, btoa(String.fromCharCode(...data))])));
})"""


class Page:
    # The page as the window test's helpers expect a game, in landscape points.
    def __init__(self, browser, out):
        self.browser, self.out, self.click = browser, out, browser.click

    def screenshot(self, name):
        return self.browser.screenshot(os.path.join(self.out, name + ".png")).reduce(2)

    def drag(self, starts, ends):  # with the mouse
        self.browser.press(starts[0])
        for (at,) in steps(starts, ends):
            self.browser.mouse("mouseMoved", at)
        self.browser.mouse("mouseReleased", ends[0], buttons=0)

    def swipe(self, starts, ends):  # a finger on each start, all moving at once
        self.browser.touch("touchStart", starts)
        for points in steps(starts, ends):
            self.browser.touch("touchMove", points)
        self.browser.touch("touchEnd", [])

    def saved_files(self):
        return {path: base64.b64decode(data) for path, data in self.browser.evaluate(SAVED_FILES).items()}


def story(browser, address, out):
    page = Page(browser, out)
    browser.viewport(480, 320, 2)
    browser.page("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    browser.load(address)
    found = circles(open_game(page))
    for name, how, fingers in (("3-mouse", page.drag, 1), ("3-touch", page.swipe, 1), ("3-fingers", page.swipe, 2)):
        found = move_circles(page, name, found, how, fingers)
    for _ in range(2):  # a double tap
        browser.touch("touchStart", [empty_spot(found)])
        browser.touch("touchEnd", [])
    look_until(page, "4-options-menu", menu_shown, "a double tap opens the options menu")
    save_game(page)
    files = wait_for(page.saved_files)
    assert len(files) == 1, f"the save reaches IndexedDB: {list(files)}"
    record = plistlib.loads(next(iter(files.values())))
    nodes = [(480 - y, x) for x, y in zip(record["xNodes"], record["yNodes"])]  # upright points to landscape
    assert all(any(close(c, n, 3) for n in nodes) for c in found), "it holds every circle where the screen shows it"

    # Hidden, as when the player turns to another tab, the page saves the game while it still runs; a reload's
    # own save, as the page goes, is the browser's best effort.
    browser.evaluate("for (const [k, v] of [['hidden', true], ['visibilityState', 'hidden']]) Object.defineProperty("
                     "document, k, {value: v, configurable: true}); document.dispatchEvent(new Event('visibilitychange'))")
    autos = wait_for(lambda: [f for f in page.saved_files() if "]-auto, LVL " in f], seconds=15)
    assert len(autos) == 1, f"hiding the page in a game saves it: {autos}"
    browser.load()
    look_until(page, "6-reloaded", lambda p: count(p, (90, 60, 390, 260), DEEP_GREEN, 30) > 300, "the intro shows")
    page.click((240, 160))  # skips the intro
    main_menu(page, "6-main-menu")
    page.click(MENU_SECOND)
    look_until(page, "7-load-panel", lambda p: count(p, LIST, WHITE, 4) > 40000 and count(
        p, (80, 70, 400, 85), INK, 60) > 100, "\"Load Game\" lists both saves after the reload")
    page.click(FIRST_ROW)
    loaded = circles(look_until(page, "8-loaded", game_shown, "a saved game loads"))
    assert len(loaded) == len(found) and all(any(close(c, o, 3) for o in loaded) for c in found), \
        "loading puts every circle back where it was"

    for name, size in (("phone-portrait", (390, 844)), ("phone-landscape", (844, 390))):
        browser.viewport(*size, 2, mobile=True)
        assert wait_for(lambda: browser.evaluate("[canvas.width, canvas.height]") == [size[0] * 2, size[1] * 2]), \
            f"at {size[0]} x {size[1]}, the canvas has two pixels a CSS pixel"
        time.sleep(0.3)
        shot = browser.screenshot(os.path.join(out, name + ".png"))
        scale = min(shot.width / 480, shot.height / 320)
        x, y = int(shot.width - 480 * scale) // 2, int(shot.height - 320 * scale) // 2
        assert count(shot, (0, 0, shot.width, y), BLACK, 0) == shot.width * y and count(
            shot, (0, 0, x, shot.height), BLACK, 0) == x * shot.height, "the game keeps its proportions in black bars"
        assert len(circles(shot.crop((x, y, shot.width - x, shot.height - y)).resize((480, 320)))) >= 3, "and fits"
    errors = [line for line in browser.console() if "lirvo:" in line]
    assert not errors, f"the game reports no problem: {errors}"


def main():
    site, out = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    browser = Browser()
    try:
        story(browser, serve(site), out)
    finally:
        browser.close()
    print("passed; screenshots in", out)


if __name__ == "__main__":
    main()
