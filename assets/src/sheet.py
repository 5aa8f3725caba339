"""Draws the contact sheet of every rendered picture, with its name.

    python3 sheet.py ASSETS_DIR OUT.png

The character pictures are shown over both outdoor backgrounds (the forest
and the clearing) at half size, each at the spot the game puts it, so their
edges can be judged over a light and a busier ground; below them come the
six backgrounds and the icons at their own sizes, each half over light and
half over dark.
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/nanum/NanumGothicBold.ttf"
BACKGROUNDS = ["배경1.jpg", "배경2.jpg", "꽈당.jpg", "화난골렘.jpg", "엔딩배경.jpg", "끝.jpg"]
CHARACTERS = ["시작.gif", "시작 2.gif", "메어드.gif", "뻘쭘메어드.gif", "투덜메어드.gif",
              "짜증메어드.gif", "흑흑메어드.gif", "으앙메어드.gif", "마법메어드.gif",
              "시전메어드1.gif", "부끄메어드.gif", "깜짝메어드.gif", "바들메어드.gif", "내검.gif",
              "시전메어드2.gif", "뒤메어드.gif", "뻘쭘뒤메어드.gif", "훌쩍메어드.gif"]
ICONS = [16, 32, 48, 64, 128, 256]
CH_LEFT = 144          # where the game puts a character picture over the background
COLS = 6
CELL_W, CELL_H, LABEL = 150, 200, 20
PAPER = (246, 244, 240)
INK = (40, 36, 48)


def main(argv):
    assets, out = argv[1], argv[2]
    font = ImageFont.truetype(FONT, 13)
    big = ImageFont.truetype(FONT, 17)
    rows_ch = (len(CHARACTERS) + COLS - 1) // COLS
    width = COLS * CELL_W
    height = (2 * (24 + rows_ch * (CELL_H + LABEL)) + 24 + 2 * (200 + LABEL)
              + 24 + 256 + LABEL + 8)
    sheet = Image.new("RGB", (width, height), PAPER)
    d = ImageDraw.Draw(sheet)
    y = 0
    for ground in ("배경1.jpg", "배경2.jpg"):
        bg = Image.open(os.path.join(assets, ground)).convert("RGB")
        d.text((8, y + 4), "character pictures over " + ground, font=big, fill=INK)
        y += 24
        for i, name in enumerate(CHARACTERS):
            ch = Image.open(os.path.join(assets, name)).convert("RGBA")
            cell = bg.crop((CH_LEFT, 0, CH_LEFT + 300, 400))
            cell.paste(ch, (0, 0), ch)
            x0, y0 = (i % COLS) * CELL_W, y + (i // COLS) * (CELL_H + LABEL)
            sheet.paste(cell.resize((CELL_W, CELL_H), Image.LANCZOS), (x0, y0))
            d.text((x0 + CELL_W // 2, y0 + CELL_H + 3), name, font=font, fill=INK, anchor="ma")
        y += rows_ch * (CELL_H + LABEL)
    d.text((8, y + 4), "backgrounds", font=big, fill=INK)
    y += 24
    for i, name in enumerate(BACKGROUNDS):
        bg = Image.open(os.path.join(assets, name)).convert("RGB")
        x0, y0 = (i % 3) * 300, y + (i // 3) * (200 + LABEL)
        sheet.paste(bg.resize((300, 200), Image.LANCZOS), (x0, y0))
        d.text((x0 + 150, y0 + 203), name, font=font, fill=INK, anchor="ma")
    y += 2 * (200 + LABEL)
    d.text((8, y + 4), "icon (icons/barmen-N.png), each over light and dark", font=big,
           fill=INK)
    y += 24
    x = 8
    for n in ICONS:
        icon = Image.open(os.path.join(assets, "icons", "barmen-%d.png" % n)).convert("RGBA")
        tile = Image.new("RGB", (n, n), (250, 250, 250))
        tile.paste((44, 42, 52), (n // 2, 0, n, n))
        tile.paste(icon, (0, 0), icon)
        sheet.paste(tile, (x, y + 256 - n))
        d.text((x + n // 2, y + 256 + 3), str(n), font=font, fill=INK, anchor="ma")
        x += n + 16
    sheet.save(out, "PNG", optimize=False)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
