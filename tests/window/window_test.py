#!/usr/bin/python3
# Plays the real window under Xvfb as a person would, and looks at it.
#
# Starts `lirvo --scale 1` on a virtual display, chooses "New Game", "Single
# Player" and "Easy", drags a circle with the mouse, hides the window a while
# (the clock stops; the options menu waits when it shows again), saves the game,
# lights an entry with the pointer until it leaves the window, and closes and
# opens the menu with Escape and a double click. SIGTERM then must save the game
# in progress. A second run, with more saved games than the list shows, looks
# for the window's icon, resizes the window, opens the list with a click on the
# grown picture and turns the mouse wheel over it; SIGINT there saves nothing.
# The screenshots stay in the output folder for a person to look at.
#
# Usage: window_test.py LIRVO OUTPUT_FOLDER   (exits 77, skipped, only when Xvfb cannot start)
from pathlib import Path
import os, plistlib, shutil, signal, subprocess, sys, tempfile, time  # noqa: E401

from PIL import Image, ImageDraw

SKIPPED, WIDTH, HEIGHT = 77, 480, 320  # the landscape window at scale 1
# The circles' body, and seen through the veil of a menu or panel; the menu card; the logo's word and the
# heads-up captions; the menus' titles and a lit entry; the entries.
GREEN, VEILED_GREEN, PAPER, DEEP_GREEN = (77, 140, 36), (179, 205, 158), (246, 244, 232), (54, 105, 26)
HIGHLIGHT, INK, WHITE, BLACK = (77, 140, 36), (15, 15, 15), (255, 255, 255), (0, 0, 0)
# Where things are in the landscape window, at scale 1: "New Game" (then "Single Player", then "Easy") and
# "Load Game" on the main menu; "Save Game" on the options menu ("Next Level" on the "You Win!" panel) and
# "Quit to main"; the first saved game on the list; the list; the hint "Tap twice for options".
MENU_FIRST, MENU_SECOND, OPTIONS_SAVE, OPTIONS_QUIT = (420, 178), (420, 198), (240, 150), (240, 210)
FIRST_ROW, LIST, MENU_TEXT, HINT = (200, 62), (90, 75, 390, 270), (360, 165, WIDTH, 265), (333, 0, WIDTH, 20)


def close(a, b, reach):
    return all(abs(x - y) <= reach for x, y in zip(a, b))


def count(picture, box, colour, reach):
    px = picture.load()
    return sum(close(px[x, y], colour, reach) for x in range(box[0], box[2]) for y in range(box[1], box[3]))


def circles(picture, colour=GREEN):
    # Centres of the circles that stand alone: blobs of `colour` about 25 pixels across.
    mask = Image.new("L", picture.size)
    mask.putdata([255 * close(p, colour, 28) for p in picture.getdata()])
    found = []
    while box := mask.getbbox():
        seed = next((x, box[1]) for x in range(box[0], box[2]) if mask.getpixel((x, box[1])))
        ImageDraw.floodfill(mask, seed, 128)
        blob = mask.point(lambda v: 255 * (v == 128))
        (left, top, right, bottom), size = blob.getbbox(), blob.histogram()[255]
        ImageDraw.floodfill(mask, seed, 0)
        if size > 150 and 14 <= right - left <= 28 and 14 <= bottom - top <= 28:
            found.append(((left + right - 1) / 2, (top + bottom - 1) / 2))
    return found


def empty_spot(taken, avoid=()):
    # A point of the board well away from every circle and from `avoid`.
    return next((x, y) for y in range(60, HEIGHT - 30, 10) for x in range(40, WIDTH - 40, 10)
                if all(abs(x - cx) + abs(y - cy) > 64 for cx, cy in [*taken, *avoid]))


def steps(starts, ends, n=12):
    # Every pointer's way from its start to its end, a step at a time.
    for i in range(1, n + 1):
        yield [(s[0] + (e[0] - s[0]) * i / n, s[1] + (e[1] - s[1]) * i / n) for s, e in zip(starts, ends)]


def settled(key):
    # True once two pictures in a row agree on key(picture), which is None while it is too early.
    seen = [None]
    return lambda picture: seen.append(key(picture)) or seen[-1] is not None and seen[-1] == seen[-2]


def has_won(picture):  # the "You Win!" panel or the options menu: the card in the middle
    return close(picture.getpixel((170, 235)), PAPER, 12)


def menu_shown(picture):  # its flip and the entries' fade are over
    return has_won(picture) and count(picture, (185, 120, 295, 220), INK, 60) > 300


def quit_lit(picture):  # "Quit to main", on the options menu, under the pointer
    return count(picture, (190, 200, 290, 220), HIGHLIGHT, 40) > 30


def game_shown(picture):
    # The game screen has flipped in (no white beside it at the edges), its heads-up display shows whole, and circles.
    return not any(close(picture.getpixel((40, y)), WHITE, 6) for y in (0, HEIGHT - 1)) and count(
        picture, HINT, WHITE, 6) > 150 and len(circles(picture)) >= 3


def look_until(game, name, shows, what, seconds=10):
    # Screenshots until `shows` holds for one (a busy machine may be slow to draw), which it answers.
    deadline = time.monotonic() + seconds
    while not shows(picture := game.screenshot(name)):
        assert time.monotonic() < deadline, what
        time.sleep(0.2)
    return picture


def main_menu(game, name, seconds=10):  # its entries come to rest
    return look_until(game, name, settled(lambda p: p.crop(MENU_TEXT).tobytes() if count(p, MENU_TEXT, INK, 60) > 400
                                          else None), "the main menu shows", seconds)


def open_game(game):  # from the intro to an "Easy" "Single Player" board
    main_menu(game, "1-main-menu", seconds=20)
    for _ in range(3):
        game.dealt = time.monotonic()  # the last, just before "Easy": the clock cannot have run longer
        game.click(MENU_FIRST)
        time.sleep(1.8)  # one menu slides out, the next slides in
    return look_until(game, "2-board", game_shown, "\"New Game\", \"Single Player\", \"Easy\" deal a board")


def move_circles(game, name, found, how, fingers=1):
    # Moves the `fingers` circles with most room around them to free places with how(starts, ends);
    # answers the circles seen after, on a new board if that won the level.
    starts = [(round(x), round(y)) for x, y in sorted(found, reverse=True, key=lambda c: min(
        [abs(c[0] - o[0]) + abs(c[1] - o[1]) for o in found if o != c] or [999]))[:fingers]]
    ends = [empty_spot(found, starts)]
    ends += [empty_spot(found, starts + ends) for _ in starts[1:]]
    how(starts, ends)

    def seen(picture):
        return circles(picture, VEILED_GREEN if has_won(picture) else GREEN)
    time.sleep(0.6)  # a "You Win!" panel would be flipping in by now
    moved = look_until(game, name, lambda p: all(any(close(c, e, 3) for c in seen(p)) for e in ends),
                       f"{how.__name__}: circles follow from {starts} to {ends}")
    assert not any(close(c, s, 3) for c in seen(moved) for s in starts), "and leave their old places"
    if not has_won(moved):
        return seen(moved)
    game.click(OPTIONS_SAVE)  # "Next Level"
    return circles(look_until(game, name, lambda p: not has_won(p) and len(circles(p)) >= 3, "the next level"))


def save_game(game):  # from the options menu, and the alert closed again
    game.click(OPTIONS_SAVE)
    look_until(game, "5-saved", lambda p: count(p, (100, 100, 380, 170), INK, 60) > 150, "the game is saved")
    game.click((240, 213))
    time.sleep(0.8)  # the alert takes every click until it has faded out


class Session:
    # One run of the program in its window; points are the window's own.
    def __init__(self, env, lirvo, out, saves):
        self.env, self.out = env, out
        self.process = subprocess.Popen([lirvo, "--scale", "1", "--saves", saves], env=env)
        self.window = self.xdotool("search", "--sync", "--onlyvisible", "--name", "^Lirvo$").split()[0]

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, capture_output=True,
                              text=True, timeout=10).stdout

    def screenshot(self, name):  # kept for a person to look at
        path = os.path.join(self.out, name + ".png")
        subprocess.run(["import", "-window", self.window, path], env=self.env, check=True, timeout=10)
        return Image.open(path).convert("RGB")

    def point(self, at):
        return ("mousemove", "--window", self.window, round(at[0]), round(at[1]))

    def click(self, at):
        self.xdotool(*self.point(at), "click", 1)

    def end(self, sig):  # answers the exit status
        self.process.send_signal(sig)
        return self.process.wait(timeout=10)

    def drag(self, starts, ends):  # one xdotool command chain
        moves = [arg for (at,) in steps(starts, ends) for arg in (*self.point(at), "sleep", 0.02)]
        self.xdotool(*self.point(starts[0]), "mousedown", 1, *moves, "mouseup", 1)



def saved_games(saves):  # the records of a level won lie beside them
    return [f for f in os.listdir(saves) if f.endswith(".plist")]


def play(env, lirvo, out, saves):
    game = Session(env, lirvo, out, saves)
    try:
        board = open_game(game)
        assert board.size == (WIDTH, HEIGHT), f"the window is 480 x 320 at scale 1, not {board.size}"
        found = move_circles(game, "3-dragged", circles(board), game.drag)
        # Out of sight, as when minimised, the game waits: the clock stops and the options menu is open on return.
        # With no window manager, nobody gives it the focus back.
        played, window = time.monotonic() - game.dealt, game.window
        game.xdotool("windowunmap", "--sync", window, "sleep", 4, "windowmap", "--sync", window,
                     "windowfocus", "--sync", window)
        look_until(game, "4-shown-again", menu_shown, "a window shown again after hiding has the options menu open")
        save_game(game)
        [saved] = saved_games(saves)
        record = plistlib.loads(Path(saves, saved).read_bytes())
        assert record["Minutes"] * 60 + record["Seconds"] <= played + 1.5, "the clock stands still while hidden"
        game.xdotool(*game.point(OPTIONS_QUIT))
        look_until(game, "4-pointer", quit_lit, "hover lights Quit")
        game.xdotool("mousemove", 0, 0)  # the screen's corner, off the window centred on it
        look_until(game, "4-pointer-gone", lambda p: not quit_lit(p), "and a pointer that leaves the window darkens it")
        escape, double = ("key", "Escape"), (*game.point(empty_spot(found)), "click", "--repeat", 2, "--delay", 120, 1)
        for n, (keys, opens) in enumerate(((escape, False), (double, True), (escape, False), (escape, True))):
            game.xdotool(*keys)
            look_until(game, f"4-toggle-{n}", menu_shown if opens else game_shown, f"Esc, 2 clicks, Esc, Esc: {n}")
            time.sleep(0.6)  # its flip
    finally:
        status = game.end(signal.SIGTERM)
    autos = [f for f in os.listdir(saves) if "]-auto, LVL " in f and f.endswith(", Easy, SP.plist")]
    assert status == 0 and len(autos) == 1, f"SIGTERM ends the program, saving the game: {autos}"

    for n in range(30):
        shutil.copy(os.path.join(saves, saved), os.path.join(saves, f"[copy {n:02}], LVL 1, Easy, SP.plist"))
    game = Session(env, lirvo, out, saves)
    try:
        main_menu(game, "9-second-run", seconds=20)
        hints = subprocess.run(["xprop", "-id", game.window, "-f", "_NET_WM_ICON", "32c", "WM_NORMAL_HINTS",
                                "_NET_WM_ICON"], env=env, check=True, capture_output=True, text=True).stdout
        assert "_NET_WM_ICON(CARDINAL) = 256, 256," in hints and "maximum size" not in hints, "an icon; resizable"
        # 640 x 384: the picture at 1.2 pixels a point, between black margins of 32 pixels left and right.
        game.xdotool("windowmove", "--sync", game.window, 0, 0, "windowsize", "--sync", game.window, 640, 384)

        def scaled(box):
            return tuple(round(32 * (i % 2 == 0) + 1.2 * v) for i, v in enumerate(box))
        look_until(game, "9-resized", lambda p: count(p, (0, 0, 640, 384), BLACK, 0) == 2 * 32 * 384 == count(
            p, (0, 0, 32, 384), BLACK, 0) + count(p, (608, 0, 640, 384), BLACK, 0) and count(
            p, scaled(MENU_TEXT), INK, 60) > 500, "a resized window shows the menu grown between black margins")
        game.click(scaled(MENU_SECOND))
        look_until(game, "9-load", lambda p: count(p, scaled(LIST), WHITE, 4) > 40000, "a click on it opens the list")
        # The wheel turns the list under the pointer, which rests low on it; the top row tells where the list is.
        def top(picture):
            return picture.crop(scaled((90, 66, 390, 80))).tobytes()
        panel = look_until(game, "9-load", settled(top), "the list comes to rest")
        game.xdotool(*game.point(scaled((200, 200))), "click", "--repeat", 3, "--delay", 50, 5)
        look_until(game, "9-wheel", lambda p: top(p) != top(panel), "the wheel scrolls the saved-game list")
        game.xdotool("click", "--repeat", 40, "--delay", 20, 4)
        look_until(game, "9-wheel-back", lambda p: top(p) == top(panel), "and back up, no further than its first row")
    finally:
        status = game.end(signal.SIGINT)
    assert status == 0 and len(saved_games(saves)) == 32, "SIGINT on the main menu saves nothing"


def main():
    lirvo, out = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    if not shutil.which("Xvfb"):
        return SKIPPED
    read, write = os.pipe()  # Xvfb names there the free display it took, once it is ready
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "640x480x24", "-nolisten", "tcp"],
                              pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    if not (display := os.fdopen(read).readline().strip()):
        return SKIPPED
    try:
        with tempfile.TemporaryDirectory() as saves:
            play(dict(os.environ, DISPLAY=":" + display), lirvo, out, saves)
    finally:
        server.terminate()


if __name__ == "__main__":
    sys.exit(main())
