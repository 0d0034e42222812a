#!/usr/bin/python3
# Plays the browser copy in headless chromium as a person would, and looks at it.
#
# Served over a slow line, the page shows its loading screen before the
# game's first frame, and its manifest is sound. It chooses "New Game",
# "Single Player" and "Easy", drags a circle with the mouse, another with a
# finger, then two at once with two fingers, and taps the board twice for the
# options menu, which pauses the game: nothing is scheduled for five seconds.
# There the pointer lights an entry until it leaves the page. A save over a
# quota of 2,000 bytes must be told as failed and leave nothing. A second tab
# plays and saves; the first, hidden meanwhile, saves too: every save of both tabs,
# the automatic ones on being hidden too, must be in the page's IndexedDB, one
# of them the board on the screen. Both reload, the first saving its game on
# the way out; a damaged record is told once and left out of the list, whose
# first save loads: every circle comes back where it was. The first tab is
# then closed in its game while the second holds the store, so that its save
# cannot end: the second, reloaded, lists it all the same. Last, the page at a
# phone's size, upright and on its side: the picture fits, letterboxed, drawn
# at the device pixel ratio, and upright a prompt below it asks to turn the
# phone. Installable, with the server gone and the network off, the page
# reloads and plays.
# The page is 480 x 320 CSS pixels at two device pixels each, so input is
# given in the game's landscape points, and screenshots, halved, are looked
# at with the window test's eyes.
#
# Usage: browser_story.py SITE_FOLDER OUTPUT_FOLDER
import os, plistlib, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "window"))
from cdp import Browser, serve, wait_for  # noqa: E402
from window_test import (BLACK, DEEP_GREEN, FIRST_ROW, LIST, MENU_SECOND, WHITE, circles, close, count,  # noqa: E402
                         INK, OPTIONS_QUIT, OPTIONS_SAVE, empty_spot, game_shown, look_until, main_menu, menu_shown,
                         move_circles, open_game, quit_lit, steps)
# An alert: a blank band of its paper; the second line of its message, which a short one leaves empty; its
# button. "Back to menu" on the load panel.
ALERT_BLANK, ALERT_PAPER, ALERT_MORE = (100, 188, 380, 200), (239, 239, 234), (100, 150, 380, 170)
ALERT_OK, BACK_TO_MENU = (240, 213), (140, 275)


def alert_shown(picture):
    return count(picture, ALERT_BLANK, ALERT_PAPER, 4) > 3000


# Every record of the page's store of saved games: name -> the property list's text (None when it is not text).
SAVED = """new Promise(resolve => indexedDB.open('lirvo').onsuccess = opened => opened.target.result
  .transaction('saves').objectStore('saves').getAll().onsuccess = got => resolve(Object.fromEntries(
    got.target.result.map(save => [save.name, typeof save.plist == 'string' ? save.plist : null]))))"""
# A readwrite transaction on the store that lasts while the page does: every other waits behind it.
HOLD = """new Promise(resolve => indexedDB.open('lirvo').onsuccess = opened => {
  const saves = opened.target.result.transaction('saves', 'readwrite').objectStore('saves');
  (function spin() { saves.count().onsuccess = spin; })();
  resolve();
})"""
# A record of another shape than the page writes.
DAMAGE = """new Promise(resolve => indexedDB.open('lirvo').onsuccess = opened => {
  const transaction = opened.target.result.transaction('saves', 'readwrite');
  transaction.objectStore('saves').put({name: 'damaged', saved: 'yesterday', plist: 7, id: 'damaged'});
  transaction.oncomplete = resolve;
})"""
STASHES = "Object.keys(localStorage).filter(key => key.startsWith('lirvo-pending-'))"
FIRST_FRAME = "performance.getEntriesByName('lirvo-first-frame').length"
# How many frames and timers the page asks for in five seconds.
WAKES = """new Promise(resolve => {
  let wakes = 0;
  const [frame, timer] = [requestAnimationFrame, setTimeout];
  requestAnimationFrame = callback => (wakes++, frame(callback));
  setTimeout = (callback, delay) => (wakes++, timer(callback, delay));
  timer(() => resolve(wakes), 5000);
})"""
LOADING = (238, 243, 226)  # the loading screen's paper


class Page:
    # The page as the window test's helpers expect a game, in landscape points.
    def __init__(self, browser, out):
        self.browser, self.out, self.click = browser, out, browser.click

    def screenshot(self, name):
        shot = self.browser.screenshot(os.path.join(self.out, name + ".png"))
        return shot.reduce(shot.width // 480)

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

    def saves(self, **kinds):  # once the store holds `kinds` (plain=, auto=) saves that can be read: name -> record
        def kept():
            found = {name: plistlib.loads(plist.encode()) for name, plist in self.browser.evaluate(SAVED).items()
                     if plist}
            autos = sum("]-auto, LVL " in name for name in found)
            return found if kinds == {"plain": len(found) - autos, "auto": autos} else None
        return wait_for(kept, seconds=15)

    def options(self, found):  # a double tap on the board
        for _ in range(2):
            self.browser.touch("touchStart", [empty_spot(found)])
            self.browser.touch("touchEnd", [])
        look_until(self, "4-options-menu", menu_shown, "a double tap opens the options menu")

    def save(self, name):  # from the options menu: answers whether the alert says saved, then closes it
        self.click(OPTIONS_SAVE)
        alert = look_until(self, name, alert_shown, "the save is answered")
        self.click(ALERT_OK)
        time.sleep(0.8)  # the alert takes every click until it has faded out
        return count(alert, ALERT_MORE, INK, 60) == 0

    def past_intro(self, name):
        look_until(self, name + "-intro", lambda p: count(p, (90, 60, 390, 260), DEEP_GREEN, 30) > 300,
                   "the intro shows")
        self.click((240, 160))  # skips the intro
        main_menu(self, name + "-main-menu")

    def saved_games(self, name, told=False):  # "Load Game" from the main menu: answers the rows of its list
        self.click(MENU_SECOND)
        if told:  # over the list, which the alert's button closes
            look_until(self, name + "-told", alert_shown, "a problem is told")
            self.click(ALERT_OK)
        shown = look_until(self, name, lambda p: count(p, LIST, WHITE, 4) > 40000, "\"Load Game\" lists the saves")
        return sum(count(shown, (80, y - 7, 400, y + 8), INK, 60) > 20 for y in range(FIRST_ROW[1], 270, 15))

    def load_first(self, name, found):
        self.click(FIRST_ROW)
        loaded = circles(look_until(self, name, game_shown, "a saved game loads"))
        assert len(loaded) == len(found) and all(any(close(c, o, 3) for o in loaded) for c in found), \
            "loading puts every circle back where it was"


def landscape(record):  # the record's circles, from upright points to landscape
    return [(480 - y, x) for x, y in zip(record["xNodes"], record["yNodes"])]


def network(browser, offline=False, latency=0, throughput=-1):
    browser.page("Network.emulateNetworkConditions", offline=offline, latency=latency,
                 downloadThroughput=throughput, uploadThroughput=throughput)


def story(browser, site, out):
    page, first, (address, server) = Page(browser, out), browser.session, site
    origin = address.rstrip("/")
    browser.viewport(480, 320, 2)
    browser.page("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    # Chromium keeps an origin's quota for a while once its storage is open: it is set before the page opens it.
    browser.page("Storage.overrideQuotaForOrigin", origin=origin, quotaSize=2000)
    browser.page("Network.enable")
    network(browser, latency=100, throughput=2_000_000)
    browser.load(address)
    loading = page.screenshot("0-loading")
    assert not browser.evaluate(FIRST_FRAME) and count(loading, (0, 0, 480, 320), LOADING, 4) > 100000 and count(
        loading, (140, 100, 340, 160), DEEP_GREEN, 30) > 500, "the loading screen shows the name before the game"
    network(browser)
    manifest = browser.page("Page.getAppManifest")
    assert manifest["url"].endswith("manifest.webmanifest") and not manifest["errors"], f"a sound manifest: {manifest}"
    found = circles(open_game(page))
    for name, how, fingers in (("3-mouse", page.drag, 1), ("3-touch", page.swipe, 1), ("3-fingers", page.swipe, 2)):
        found = move_circles(page, name, found, how, fingers)
    page.options(found)
    assert browser.evaluate(WAKES) == 0, "a paused game asks for no frame and no timer"
    # The mouse pointer lights "Quit to main" until it leaves the page, even when the last point the
    # browser tells with the canvas's mouseleave is still over Quit.
    browser.mouse("mouseMoved", OPTIONS_QUIT, buttons=0)
    look_until(page, "4-pointer", quit_lit, "the pointer lights Quit")
    browser.evaluate("canvas.dispatchEvent(new MouseEvent('mouseleave', {clientX: %d, clientY: %d}))" % OPTIONS_QUIT)
    look_until(page, "4-pointer-gone", lambda p: not quit_lit(p), "and a pointer that leaves the page darkens it")
    # A save the browser refuses, over the origin's quota, is told as such and leaves nothing behind.
    assert not page.save("5-refused"), "the alert says the game could not be saved"
    assert browser.evaluate(SAVED) == {} and not browser.evaluate(STASHES), "nothing is kept of it"
    browser.page("Storage.overrideQuotaForOrigin", origin=origin)

    # A second tab comes to the front, so the first, hidden, saves its game; the second saves one of its own.
    # Back in the first, which saves, the second is hidden and saves. No tab's save undoes another's.
    second = browser.session = browser.tab()
    browser.viewport(480, 320, 2)
    browser.load(address)
    other = circles(open_game(page))
    for _ in range(2):  # a double click
        page.click(empty_spot(other))
    look_until(page, "b-options-menu", menu_shown, "a double click opens the options menu")
    assert page.save("b-saved"), "the second tab's game is saved"
    assert page.saves(plain=1, auto=1), "beside the first tab's automatic save"
    browser.session = first
    browser.page("Page.bringToFront")
    assert page.save("5-saved"), "the first tab's game is saved"
    saves = page.saves(plain=2, auto=2)
    assert saves, "and the second tab's saves stay, its automatic one too"
    assert any(all(any(close(c, n, 3) for n in landscape(r)) for c in found) for r in saves.values()), \
        "a save holds every circle where the screen shows it"

    # Both reload, which saves the first tab's game again as it goes. A damaged record in the store is told
    # once and left out of the list, which shows the rest.
    browser.evaluate(DAMAGE)
    for session in (second, first):
        browser.session = session
        browser.load()
    page.past_intro("6")
    assert page.saved_games("6-list", told=True) == 4, "the list holds both tabs' saves, and no damaged one"
    page.click(BACK_TO_MENU)
    main_menu(page, "6-main-menu-again")
    assert page.saved_games("6-list-again") == 4, "the damaged one is told once"
    page.load_first("7-loaded", found)
    assert page.saves(plain=2, auto=2), "the reload's own save has replaced the tab's earlier one"

    # The first tab closed in its game while the other holds the store: its save cannot end before the tab
    # has gone. The page, started again, lists it first, after the damaged record as before.
    browser.session = second
    browser.evaluate(HOLD)
    browser.close_tab(first)
    browser.load()
    page.past_intro("8")
    assert page.saved_games("8-list", told=True) == 5, "the closed tab's game is listed with the others"
    page.load_first("9-loaded", found)
    assert page.saves(plain=2, auto=3) and not browser.evaluate(STASHES), "it is in the store, and stashed no more"

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
        prompt = count(shot, (0, shot.height - y, shot.width, shot.height), LOADING, 30) if y else 0
        assert (prompt > 2000) == (name == "phone-portrait") and browser.evaluate(
            "document.getElementById('turn').getClientRects().length > 0") == (name == "phone-portrait"), \
            "below the game, upright only, a prompt to turn the phone"
    errors = [line for line in browser.console() if "lirvo:" in line]
    assert not errors, f"the game reports no problem: {errors}"

    # With the server gone and the network off, the page comes from the service worker's cache, and plays.
    browser.viewport(480, 320, 2)
    assert browser.evaluate("navigator.serviceWorker.ready.then(worker => !!worker.active)")
    assert not browser.page("Page.getInstallabilityErrors")["installabilityErrors"], "and it can be installed"
    server.shutdown()
    server.server_close()
    network(browser, offline=True)
    browser.load()
    open_game(page)
    # A screen of a scale never fetched plays too, with the pictures kept.
    browser.viewport(480, 320, 1)
    browser.load()
    open_game(page)


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
