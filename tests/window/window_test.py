#!/usr/bin/python3
"""Plays the real window under Xvfb as a person would, and looks at it.

Starts `lirvo --scale 1` on a virtual display, watches the intro, chooses
"New Game", "Single Player" and "Easy" on the menus, drags a circle with the
mouse, hides the window a while (the clock stops; the options menu waits when
it shows again), saves the game, lights an entry with the pointer, releases a
press outside it, closes the menu with Escape, opens it with a double click,
closes and opens it with Escape again, quits to the main menu and loads the
game again from the saved-game list. Then it ends the program with SIGTERM,
which must save the game in progress. A second run, with a list of saved
games longer than the panel, looks for the window's icon, resizes the window
on the main menu, opens the saved-game list with a click on the grown picture
and turns the mouse wheel over it, then ends with SIGINT, which must save
nothing. The screenshots stay in the output folder for a person to look at.

Usage: window_test.py LIRVO OUTPUT_FOLDER
Exits 77 (skipped) only when Xvfb cannot start.
"""
import os
import plistlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from PIL import Image

SKIPPED = 77
GREEN = (77, 140, 36)         # the circles' body
VEILED_GREEN = (179, 205, 158)  # seen through the veil of the menu and panel
LINE_GREY = (148, 148, 148)
PAPER = (246, 244, 232)       # the menu card
DEEP_GREEN = (54, 105, 26)    # the logo's word and the heads-up captions
HIGHLIGHT = (77, 140, 36)     # the menus' titles
INK = (15, 15, 15)            # the entries
WIDTH, HEIGHT = 480, 320      # the landscape window at scale 1


def close(a, b, reach):
    return all(abs(x - y) <= reach for x, y in zip(a, b))


class Display:
    """An Xvfb server on a free display number."""

    def __init__(self):
        read, write = os.pipe()
        try:
            self.server = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write), "-screen", "0", "640x480x24", "-nolisten", "tcp"],
                pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except OSError as e:
            raise RuntimeError(f"Xvfb cannot be run: {e}")
        os.close(write)
        number = b""
        with os.fdopen(read, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.wait()
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + number.decode())

    def stop(self):
        self.server.terminate()
        self.server.wait()


class Session:
    """One run of the program in its window."""

    def __init__(self, display, lirvo, saves):
        self.display = display
        self.process = subprocess.Popen([lirvo, "--scale", "1", "--saves", saves], env=display.env)
        found = self.xdotool("search", "--sync", "--onlyvisible", "--name", "^Lirvo$", timeout=10)
        self.window = found.split()[0]
        geometry = dict(line.split("=") for line in self.xdotool("getwindowgeometry", "--shell", self.window).split())
        self.x, self.y = int(geometry["X"]), int(geometry["Y"])
        self.size = int(geometry["WIDTH"]), int(geometry["HEIGHT"])

    def xdotool(self, *args, timeout=5):
        return subprocess.run(["xdotool", *args], env=self.display.env, check=True, capture_output=True,
                              text=True, timeout=timeout).stdout

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.display.env, check=True, timeout=10)
        shot = Image.open(path).convert("RGB").crop((self.x, self.y, self.x + self.size[0], self.y + self.size[1]))
        shot.save(path)  # the window alone, for a person to look at
        return shot

    def look_until(self, path, shows, seconds=8):
        return look_until(self.screenshot, path, shows, seconds)

    def drag(self, start, end, steps=12):
        self.xdotool("mousemove", str(self.x + start[0]), str(self.y + start[1]), "mousedown", "1")
        for i in range(1, steps + 1):
            px = start[0] + (end[0] - start[0]) * i / steps
            py = start[1] + (end[1] - start[1]) * i / steps
            self.xdotool("mousemove", str(round(self.x + px)), str(round(self.y + py)))
            time.sleep(0.02)
        self.xdotool("mouseup", "1")

    def fill_display(self, width, height):
        """Moves the window to the display's top left corner and gives it this size."""
        self.xdotool("windowmove", "--sync", self.window, "0", "0")
        self.xdotool("windowsize", "--sync", self.window, str(width), str(height))
        self.x, self.y, self.size = 0, 0, (width, height)

    def click(self, at):
        self.xdotool("mousemove", str(self.x + at[0]), str(self.y + at[1]), "click", "1")

    def double_click(self, at):
        self.xdotool("mousemove", str(self.x + at[0]), str(self.y + at[1]), "click", "--repeat", "2",
                     "--delay", "120", "1")

    def end(self, sig):
        """Sends the signal; answers the exit status, or None if the program did not end."""
        self.process.send_signal(sig)
        try:
            return self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            return None


def look_until(screenshot, path, shows, seconds=8):
    """Screenshots until `shows` holds for one (a busy machine may be slow to draw); the last one."""
    deadline = time.monotonic() + seconds
    while True:
        picture = screenshot(path)
        if shows(picture) or time.monotonic() > deadline:
            return picture
        time.sleep(0.2)


def circles(picture, colour=GREEN):
    """Centres of the circles that stand alone: green blobs about 25 pixels across."""
    px = picture.load()
    seen = set()
    found = []
    for y in range(picture.height):
        for x in range(picture.width):
            if (x, y) in seen or not close(px[x, y], colour, 28):
                continue
            blob, todo = [], [(x, y)]
            seen.add((x, y))
            while todo:
                cx, cy = todo.pop()
                blob.append((cx, cy))
                for nx, ny in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                    if 0 <= nx < picture.width and 0 <= ny < picture.height and (nx, ny) not in seen \
                            and close(px[nx, ny], colour, 28):
                        seen.add((nx, ny))
                        todo.append((nx, ny))
            xs = [p[0] for p in blob]
            ys = [p[1] for p in blob]
            w, h = max(xs) - min(xs) + 1, max(ys) - min(ys) + 1
            if len(blob) > 150 and 14 <= w <= 28 and 14 <= h <= 28:
                found.append(((min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2))
    return found


def count(picture, box, colour, reach):
    px = picture.load()
    return sum(close(px[x, y], colour, reach) for x in range(box[0], box[2]) for y in range(box[1], box[3]))


def empty_spot(taken, avoid=()):
    """A point of the board at least 45 pixels from every circle and from `avoid`."""
    for y in range(60, HEIGHT - 30, 10):
        for x in range(40, WIDTH - 40, 10):
            if all(abs(x - cx) + abs(y - cy) > 64 for cx, cy in list(taken) + list(avoid)):
                return (x, y)
    raise AssertionError("no empty spot on the board")


def check(condition, what):
    if not condition:
        raise AssertionError(what)
    print("ok:", what)


# Where things are in the landscape window, at scale 1.
MENU_FIRST = (420, 178)       # "New Game", then "Single Player", then "Easy"
MENU_SECOND = (420, 198)      # "Load Game" on the main menu
OPTIONS_SAVE = (240, 150)     # "Save Game" on the options menu; "Next Level" on the "You Win!" panel
OPTIONS_QUIT = (240, 210)     # "Quit to main"
ALERT_BUTTON = (240, 213)
FIRST_ROW = (200, 62)         # the first saved game on the list
QUIT_TEXT = (190, 200, 290, 220)
MENU_TEXT = (360, 165, WIDTH, 265)
HINT = (333, 0, WIDTH, 20)    # "Tap twice for options"


def dark_text(picture, box):
    return count(picture, box, INK, 60)


def game_shown(picture):
    """Once the game screen has flipped in: it reaches the top and bottom edges (the window's
    white shows beside it while it flips), its heads-up display shows whole, and circles."""
    flipped_in = not any(close(picture.getpixel((40, y)), (255, 255, 255), 6) for y in (0, HEIGHT - 1))
    return flipped_in and count(picture, HINT, (255, 255, 255), 6) > 150 and len(circles(picture)) >= 3


def main_menu(game, path, seconds=8):
    """Waits for the main menu's entries to come to rest: two screenshots alike, a moment apart."""
    last = []

    def at_rest(picture):
        entries = picture.crop(MENU_TEXT).tobytes()
        still = last and last[-1] == entries
        last.append(entries)
        return dark_text(picture, MENU_TEXT) > 400 and still
    return game.look_until(path, at_rest, seconds)


def open_game(game, out):
    """From the intro to an "Easy" "Single Player" board; answers its screenshot."""
    intro = game.look_until(os.path.join(out, "0-intro.png"), lambda p: count(p, (90, 60, 390, 260), DEEP_GREEN, 30) > 300)
    check(count(intro, (90, 60, 390, 260), DEEP_GREEN, 30) > 300, "the intro shows its first picture")
    check(dark_text(intro, MENU_TEXT) == 0, "with no menu yet")
    menu = main_menu(game, os.path.join(out, "1-main-menu.png"), seconds=14)
    check(dark_text(menu, MENU_TEXT) > 400, "the main menu comes in after the intro")
    for name, title in (("game mode", (300, 130, WIDTH, 155)), ("difficulty", (300, 130, WIDTH, 155))):
        game.click(MENU_FIRST)
        time.sleep(1.8)  # one menu slides out, the next slides in
        shot = game.screenshot(os.path.join(out, f"1-{name}-menu.png"))
        check(count(shot, title, HIGHLIGHT, 40) > 60, f"the {name} menu shows its title")
    game.click(MENU_FIRST)
    return game.look_until(os.path.join(out, "2-board.png"), game_shown)


def play(display, lirvo, out, saves):
    game = Session(display, lirvo, saves)
    try:
        check(game.size == (WIDTH, HEIGHT), f"the window is 480 x 320 at scale 1 (it is {game.size})")
        board = open_game(game, out)
        board_seen = time.monotonic()
        found = circles(board)
        check(len(found) >= 3, f"circles are seen on the board ({len(found)} stand alone)")
        check(count(board, (30, 25, WIDTH, HEIGHT), LINE_GREY, 12) > 100, "grey lines are seen between them")
        check(count(board, HINT, (255, 255, 255), 6) > 150,
              "the white hint sits at the right end of the top edge")
        check(count(board, (78, 0, 323, 20), DEEP_GREEN, 40) > 150,
              "the green captions run along the top edge")

        # The circle farthest from the others, to a free place.
        def room(c):
            return min([abs(c[0] - o[0]) + abs(c[1] - o[1]) for o in found if o != c] or [999])
        start = max(found, key=room)
        start = (round(start[0]), round(start[1]))
        target = empty_spot(found)
        game.drag(start, target)

        # That move may have untangled the board: then the "You Win!" panel shows over it.
        def has_won(picture):
            return close(picture.getpixel((170, 235)), PAPER, 12)

        def moved(picture):
            return any(close(c, target, 3) for c in circles(picture, VEILED_GREEN if has_won(picture) else GREEN))
        time.sleep(0.6)  # a panel would be flipping in by now
        dragged = game.look_until(os.path.join(out, "3-dragged.png"), moved)
        won = has_won(dragged)
        after = circles(dragged, VEILED_GREEN if won else GREEN)
        check(any(close(c, target, 3) for c in after), f"the circle followed the mouse from {start} to {target}")
        check(not any(close(c, start, 3) for c in after), "and left its old place")
        if won:
            print("the move solved the level")
            game.click(OPTIONS_SAVE)  # "Next Level"
            after = circles(game.look_until(os.path.join(out, "3-next-level.png"), lambda p: len(circles(p)) >= 3))
            check(len(after) >= 3, "\"Next Level\" dealt a new board")

        def menu_shown(picture):  # the flip and the entries' fade are over
            return close(picture.getpixel((170, 235)), PAPER, 12) and dark_text(picture, (185, 120, 295, 220)) > 300

        # Out of sight, as when minimised, the game waits: the clock stops and the options menu is open on return.
        hidden = 4
        game.xdotool("windowunmap", "--sync", game.window)
        played = time.monotonic() - board_seen
        time.sleep(hidden)
        game.xdotool("windowmap", "--sync", game.window)
        game.xdotool("windowfocus", "--sync", game.window)  # with no window manager, nobody gives it back
        back = game.look_until(os.path.join(out, "4-shown-again.png"), menu_shown)
        check(menu_shown(back), "a window shown again after hiding has the options menu open")
        game.click(OPTIONS_SAVE)
        alert = game.look_until(os.path.join(out, "5-saved.png"), lambda p: dark_text(p, (100, 100, 380, 170)) > 150)
        check(dark_text(alert, (100, 100, 380, 170)) > 150, "\"Save Game\" answers with an alert")
        check(len(os.listdir(saves)) == 1, f"and one file in the saved-game folder ({os.listdir(saves)})")
        with open(os.path.join(saves, os.listdir(saves)[0]), "rb") as f:
            record = plistlib.load(f)
        clock = record["Minutes"] * 60 + record["Seconds"]
        check(clock <= played + 1.5, f"the clock stood still while hidden ({clock} s on it after {played:.1f} s "
                                     f"of play and {hidden} s hidden)")
        game.click(ALERT_BUTTON)
        time.sleep(0.8)  # the alert takes every click until it has faded out
        menu = game.look_until(os.path.join(out, "4-options-menu.png"), menu_shown)
        check(dark_text(menu, (185, 120, 295, 220)) > 300, "its entries are written on the menu's card")
        beside = count(menu, (0, 25, 140, HEIGHT), GREEN, 20) + count(menu, (340, 25, WIDTH, HEIGHT), GREEN, 20)
        check(beside == 0, "the board lies veiled beside it")

        def quit_lit(picture):
            return count(picture, QUIT_TEXT, HIGHLIGHT, 40) > 30
        game.xdotool("mousemove", str(game.x + OPTIONS_QUIT[0]), str(game.y + OPTIONS_QUIT[1]))
        check(quit_lit(game.look_until(os.path.join(out, "4-pointer.png"), quit_lit)),
              "the pointer over \"Quit to main\" lights it up")
        game.drag(OPTIONS_QUIT, (240, 300))
        time.sleep(1.2)  # time enough to flip back to the main menu, had it run
        check(menu_shown(game.screenshot(os.path.join(out, "4-released-outside.png"))),
              "pressed there and released outside it, it runs nothing")
        def escape(name):
            game.xdotool("key", "Escape")
            shut = game.look_until(os.path.join(out, name), lambda p: not menu_shown(p))
            time.sleep(0.6)  # its closing flip
            return not close(shut.getpixel((170, 235)), PAPER, 12)
        check(escape("4-escape.png"), "Escape closes the options menu")
        game.double_click(empty_spot(after, avoid=[start]))
        check(menu_shown(game.look_until(os.path.join(out, "4-double-click.png"), menu_shown)),
              "a double click on the board opens it")
        check(escape("4-escape-again.png"), "Escape closes it again")
        game.xdotool("key", "Escape")
        check(menu_shown(game.look_until(os.path.join(out, "4-escape-opens.png"), menu_shown)), "and opens it")
        game.click(OPTIONS_QUIT)
        menu = main_menu(game, os.path.join(out, "6-back-to-menu.png"))
        check(dark_text(menu, MENU_TEXT) > 400, "\"Quit to main\" goes back to the main menu")
        game.click(MENU_SECOND)

        def listed(picture):
            return count(picture, (90, 75, 390, 270), (255, 255, 255), 4) > 40000 and dark_text(picture, (80, 55, 400, 70)) > 100
        panel = game.look_until(os.path.join(out, "7-load-panel.png"), listed)
        check(listed(panel), "\"Load Game\" lists the saved game on a white list")
        game.click(FIRST_ROW)
        loaded = game.look_until(os.path.join(out, "8-loaded.png"), game_shown)
        back = circles(loaded)
        check(len(back) == len(after) and all(any(close(c, o, 3) for o in back) for c in after),
              "the saved row brings the board back with every circle where it was saved")
    finally:
        status = game.end(signal.SIGTERM)
    check(status == 0, f"SIGTERM ends the program normally (status {status})")
    # The drag may have won level 1 on the way, so the level is not fixed.
    autos = [f for f in os.listdir(saves) if "]-auto, LVL " in f and f.endswith(", Easy, SP.plist")]
    check(len(autos) == 1, f"the game in progress was saved on the way out ({os.listdir(saves)})")

    # More saved games than the list shows at once.
    saved = sorted(os.listdir(saves))
    for n in range(30):
        shutil.copy(os.path.join(saves, saved[0]), os.path.join(saves, f"[copy {n:02}], LVL 1, Easy, SP.plist"))
    kept = len(os.listdir(saves))
    game = Session(display, lirvo, saves)
    main_menu(game, os.path.join(out, "9-second-run.png"), seconds=14)
    hints = subprocess.run(["xprop", "-id", game.window, "-f", "_NET_WM_ICON", "32c", "WM_NORMAL_HINTS", "_NET_WM_ICON"],
                           env=display.env, check=True, capture_output=True, text=True, timeout=5).stdout
    check("_NET_WM_ICON(CARDINAL) = 256, 256," in hints, "the window has the game's icon of 256 x 256")
    check("maximum size" not in hints, "the window may be resized and maximised")
    # 640 x 384: the picture at 1.2 pixels a point, between black margins of 32 pixels left and right.
    game.fill_display(640, 384)

    def scaled(box):
        return tuple(round(32 * (i % 2 == 0) + 1.2 * v) for i, v in enumerate(box))

    def grown(picture):
        margins = count(picture, (0, 0, 32, 384), (0, 0, 0), 0) + count(picture, (608, 0, 640, 384), (0, 0, 0), 0)
        inside = count(picture, (32, 0, 608, 384), (0, 0, 0), 0)
        return margins == 2 * 32 * 384 and inside == 0 and dark_text(picture, scaled(MENU_TEXT)) > 500
    check(grown(game.look_until(os.path.join(out, "9-resized.png"), grown)), "a resized window shows the menu grown to fit")
    game.click(scaled(MENU_SECOND))

    def listed(picture):
        return count(picture, scaled((90, 75, 390, 270)), (255, 255, 255), 4) > 40000
    panel = game.look_until(os.path.join(out, "9-resized-load.png"), listed)
    check(listed(panel), "and a click on it lands on its entry")

    # The wheel scrolls the list, within its bounds. The pointer rests low on
    # the list (the row under it lights up); the top row tells where the list is.
    top_row = scaled((90, 66, 390, 80))
    pointer = scaled((200, 200))
    game.xdotool("mousemove", str(game.x + pointer[0]), str(game.y + pointer[1]))

    def top_of(picture):
        return picture.crop(top_row).tobytes()
    seen = [top_of(panel)]

    def at_rest(picture):  # the panel has slid in: two screenshots alike
        seen.append(top_of(picture))
        return seen[-1] == seen[-2]
    panel = game.look_until(os.path.join(out, "9-resized-load.png"), at_rest)
    game.xdotool("click", "--repeat", "3", "--delay", "50", "5")
    scrolled = game.look_until(os.path.join(out, "9-wheel.png"), lambda p: top_of(p) != top_of(panel))
    check(top_of(scrolled) != top_of(panel), "the wheel scrolls the saved-game list")
    game.xdotool("click", "--repeat", "40", "--delay", "20", "4")
    back = game.look_until(os.path.join(out, "9-wheel-back.png"), lambda p: top_of(p) == top_of(panel))
    check(top_of(back) == top_of(panel), "and back up, no further than its first row")
    status = game.end(signal.SIGINT)
    check(status == 0, f"SIGINT ends the program normally (status {status})")
    check(len(os.listdir(saves)) == kept, f"and, ended on the main menu, it saved nothing ({os.listdir(saves)})")


def main():
    lirvo, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    try:
        display = Display()
    except RuntimeError as e:
        print(f"SKIPPED: {e}; the window cannot be tested here")
        return SKIPPED
    try:
        with tempfile.TemporaryDirectory() as saves:
            play(display, lirvo, out, saves)
    finally:
        display.stop()
    print("screenshots in", out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
