#!/usr/bin/python3
"""Draws every image the game loads and writes them to resources/.

Each picture is designed in landscape (480 x 320, the way the game is held)
and turned a quarter counter-clockwise into the portrait screen's 320 x 480,
so that its text reads like the rest of the game. Each is written at one,
two and three pixels a point (name.png, name@2x.png, name@3x.png), for the
game to pick the one for the display's density. Run from anywhere:
    tools/make_art.py [output folder]
The page's icons go to src/app/web/.
Needs python3-pil and the Liberation and DejaVu fonts (scripts/install-deps.sh).
"""
import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter, ImageFont

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
WEB = os.path.join(os.path.dirname(__file__), "..", "src", "app", "web")
W, H = 480, 320          # landscape design size, in points
SCALE = 1                # pixels a point of the picture being drawn
SS = 4 * SCALE           # pixels a point while drawing: supersampled for smooth edges

# The palette: the greens and the dark text of the labels, the grey of the lines.
GREEN = (77, 140, 36)        # 0.3, 0.55, 0.14
DEEP_GREEN = (54, 105, 26)   # 0.21, 0.41, 0.1
INK = (15, 15, 15)           # 0.06
LINE_GREY = (148, 148, 148)  # 0.58
PAPER = (246, 244, 232)
PAPER_EDGE = (226, 232, 210)

FONT_DIR = "/usr/share/fonts/truetype"
BOLD = os.path.join(FONT_DIR, "liberation2", "LiberationSans-Bold.ttf")
REGULAR = os.path.join(FONT_DIR, "liberation2", "LiberationSans-Regular.ttf")


def font(path, size):
    return ImageFont.truetype(path, size * SS)


def portrait(img):
    """Landscape design to the portrait screen: a quarter turn counter-clockwise."""
    return img.rotate(90, expand=True)


def canvas(size, color=(0, 0, 0, 0)):
    return Image.new("RGBA", (size[0] * SS, size[1] * SS), color)


def pixels(size):
    return size[0] * SCALE, size[1] * SCALE


def finish(img, size):
    return img.resize(pixels(size), Image.LANCZOS)


def vertical_gradient(size, top, bottom):
    w, h = pixels(size)
    column = Image.new("RGB", (1, h))
    column.putdata([tuple(round(a + (b - a) * y / max(1, h - 1)) for a, b in zip(top, bottom)) for y in range(h)])
    return column.resize((w, h))


def vignette(img, strength):
    """Darkens the corners a little, drawing the eye to the middle."""
    w, h = img.size
    mask = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(mask)
    for i in range(40):
        t = i / 40
        d.ellipse([-w * 0.3 + w * 0.3 * t, -h * 0.3 + h * 0.3 * t, w * 1.3 - w * 0.3 * t, h * 1.3 - h * 0.3 * t],
                  fill=round(255 * t))
    mask = mask.filter(ImageFilter.GaussianBlur(30 * SCALE))
    dark = Image.new("RGB", (w, h), tuple(round(c * (1 - strength)) for c in img.getpixel((w // 2, h // 2))))
    return Image.composite(img, dark, mask)


def text_centered(draw, center, text, fnt, fill):
    box = draw.textbbox((0, 0), text, font=fnt)
    x = center[0] * SS - (box[2] - box[0]) / 2 - box[0]
    y = center[1] * SS - (box[3] - box[1]) / 2 - box[1]
    draw.text((x, y), text, font=fnt, fill=fill)


def knot(draw, center, radius, dot, width, color=GREEN, line=LINE_GREY):
    """The game's mark: five circles joined by lines, one pair still crossing."""
    cx, cy = center
    pts = [(cx + radius * math.cos(a), cy + radius * math.sin(a))
           for a in [math.radians(-90 + 72 * i) for i in range(5)]]
    for a, b in [(0, 2), (2, 4), (4, 1), (1, 3), (3, 0)]:
        draw.line([(pts[a][0] * SS, pts[a][1] * SS), (pts[b][0] * SS, pts[b][1] * SS)], fill=line, width=width * SS)
    for x, y in pts:
        ball(draw, (x, y), dot, color)


def ball(draw, center, r, color):
    x, y = center[0] * SS, center[1] * SS
    r *= SS
    dark = tuple(round(c * 0.62) for c in color)
    light = tuple(min(255, round(c + (255 - c) * 0.55)) for c in color)
    draw.ellipse([x - r, y - r, x + r, y + r], fill=dark)
    inner = r * 0.84
    draw.ellipse([x - inner, y - inner, x + inner, y + inner], fill=color)
    hl = r * 0.34
    draw.ellipse([x - r * 0.42 - hl, y - r * 0.42 - hl, x - r * 0.42 + hl, y - r * 0.42 + hl], fill=light)


def save(img, name):
    if SCALE > 1:
        stem, ext = os.path.splitext(name)
        name = f"{stem}@{SCALE}x{ext}"
    path = os.path.join(OUT, name)
    if name.endswith(".jpg"):
        img.convert("RGB").save(path, quality=92)
    else:
        img.save(path, optimize=True)
    print("wrote", path, img.size)


def board_background():
    img = vertical_gradient((W, H), PAPER, PAPER_EDGE)
    d = ImageDraw.Draw(img)
    s = SCALE
    # A faint dotted grid, like squared paper, that does not compete with the lines.
    for x in range(12, W, 24):
        for y in range(32, H, 24):
            d.rectangle([x * s, y * s, x * s + s - 1, y * s + s - 1], fill=(214, 219, 198))
    # The heads-up strip along the top edge: light behind the green captions,
    # with a deep green tab at its right end behind the white hint.
    d.rectangle([0, 0, W * s, 21 * s - 1], fill=(232, 236, 218))
    d.rectangle([0, 20 * s, W * s, 21 * s - 1], fill=(205, 212, 186))
    img = vignette(img, 0.06).convert("RGBA")
    tab = canvas((W, H))
    ImageDraw.Draw(tab).rounded_rectangle([328 * SS, -10 * SS, (W + 10) * SS, 20 * SS], 8 * SS, fill=DEEP_GREEN + (255,))
    img.alpha_composite(finish(tab, (W, H)))
    return portrait(img.convert("RGB"))


def circle():
    """Lit from the top left of the landscape screen, like the cards' shadows."""
    size = 30
    img = canvas((size, size))
    d = ImageDraw.Draw(img)
    shadow = canvas((size, size))
    ImageDraw.Draw(shadow).ellipse([3 * SS, 4 * SS, 28 * SS, 29 * SS], fill=(0, 0, 0, 70))
    img.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(SS)))
    ball(d, (14.5, 14), 12.5, GREEN)
    return portrait(finish(img, (size, size)))


def veil(alpha, tint=(250, 250, 244)):
    return portrait(Image.new("RGBA", pixels((W, H)), tint + (alpha,)))


def card(box, radius=14):
    img = canvas((W, H))
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = (v * SS for v in box)
    shadow = canvas((W, H))
    ImageDraw.Draw(shadow).rounded_rectangle([x0 + 3 * SS, y0 + 5 * SS, x1 + 3 * SS, y1 + 5 * SS], radius * SS,
                                             fill=(0, 0, 0, 80))
    img.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(4 * SS)))
    d.rounded_rectangle([x0, y0, x1, y1], radius * SS, fill=PAPER + (250,), outline=DEEP_GREEN + (255,),
                        width=3 * SS)
    d.rounded_rectangle([x0 + 6 * SS, y0 + 6 * SS, x1 - 6 * SS, y1 - 6 * SS], (radius - 5) * SS,
                        outline=PAPER_EDGE + (255,), width=SS)
    return portrait(finish(img, (W, H)))


def menu_background():
    img = vertical_gradient((W, H), (238, 243, 226), (205, 222, 186))
    tangle = canvas((W, H))
    d = ImageDraw.Draw(tangle)
    rnd = random.Random(7)
    # A loose tangle in the background, the puzzle in the mind's eye.
    pts = [(rnd.randrange(20, W - 20) * SS, rnd.randrange(40, H - 20) * SS) for _ in range(14)]
    for i, p in enumerate(pts):
        q = pts[(i * 5 + 3) % len(pts)]
        d.line([p, q], fill=(198, 212, 180), width=2 * SS)
    for x, y in pts:
        d.ellipse([x - 7 * SS, y - 7 * SS, x + 7 * SS, y + 7 * SS], fill=(186, 206, 162))
    img = img.convert("RGBA")
    img.alpha_composite(finish(tangle, (W, H)))
    return portrait(vignette(img.convert("RGB"), 0.08))


def word_logo(size, text, fnt_size, sub=None, mark=True):
    img = canvas(size)
    d = ImageDraw.Draw(img)
    w, h = size
    if mark:
        knot(d, (h * 0.5, h * 0.5), h * 0.32, h * 0.1, 2)
    fnt = font(BOLD, fnt_size)
    tx = (w + (h if mark else 0)) / 2
    text_centered(d, (tx, h * (0.42 if sub else 0.5)), text, fnt, DEEP_GREEN)
    if sub:
        text_centered(d, (tx, h * 0.8), sub, font(REGULAR, fnt_size // 3), INK)
    return portrait(finish(img, size))


def menu_logo(size, text, fnt_size):
    """The logo beside the menus: the mark above the word, narrow enough to leave the menus their room."""
    img = canvas(size)
    d = ImageDraw.Draw(img)
    w, h = size
    knot(d, (w / 2, h * 0.34), h * 0.23, h * 0.07, 2)
    text_centered(d, (w / 2, h * 0.8), text, font(BOLD, fnt_size), DEEP_GREEN)
    return portrait(finish(img, size))


def icon(size=256):
    """The desktop icon: the game's mark on a paper tile, drawn on 256 points made `size` pixels."""
    img = canvas((256, 256))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([8 * SS, 8 * SS, 248 * SS, 248 * SS], 44 * SS, fill=PAPER + (255,),
                        outline=DEEP_GREEN + (255,), width=10 * SS)
    knot(d, (128, 136), 84, 22, 7)
    return img.resize((size, size), Image.LANCZOS)


def set_scale(scale):
    global SCALE, SS
    SCALE, SS = scale, 4 * scale


def main():
    os.makedirs(OUT, exist_ok=True)
    for scale in (1, 2, 3):
        set_scale(scale)
        pictures()
    set_scale(1)
    save(icon(), "lirvo.png")
    # The page's icons, for a phone's home screen and the browser's tab.
    for size, name in ((192, "icon-192.png"), (512, "icon-512.png"), (32, "favicon.png")):
        icon(size).save(os.path.join(WEB, name), optimize=True)
        print("wrote", os.path.join(WEB, name))


def pictures():
    save(circle(), "touchCircle.png")
    save(board_background(), "bgInGame.jpg")
    save(veil(150), "bgInGameBlur.png")
    # Behind the five lines of the options menu, around the screen's middle.
    save(card((150, 92, 330, 248)), "bgInGameMenu.png")
    save(menu_background(), "bgMenu.jpg")
    save(word_logo((260, 90), "LIRVO", 40, sub="STUDIO"), "logoOrvane.png")
    save(word_logo((200, 50), "presents", 26, mark=False), "presents.png")
    save(word_logo((300, 120), "Lirvo", 64), "logoGame.png")
    save(menu_logo((200, 180), "Lirvo", 56), "logoGameMenu.png")
    save(veil(170), "logoGameMenuBlur.png")
    # Behind the credits, tutorial and load panels: a 320 x 210 text area with title and exit.
    save(card((40, 20, 440, 300)), "bgInGameMenu2.png")


if __name__ == "__main__":
    main()
