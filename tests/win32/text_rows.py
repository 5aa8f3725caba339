#!/usr/bin/env python3
"""Counts the rows of text a screenshot shows in a rectangle, as the checks
count the story box's rows:  text_rows.py SHOT LEFT TOP WIDTH HEIGHT

A pixel row holds ink when a pixel in it is darker than the box's grey by
far. Runs of such rows are parts of a text row; a short line ("쿵!") leaves
blank pixel rows inside its glyphs, so runs that fit together within the
height of the tallest run, one whole row of text, count as one."""

import sys

from PIL import Image


def text_rows(shot, left, top, width, height, ink=100):
    image = Image.open(shot).convert("L")
    box = image.crop((left, top, left + width, top + height))
    pixels = box.load()
    runs = []
    for y in range(box.height):
        if any(pixels[x, y] < ink for x in range(box.width)):
            if runs and runs[-1][1] == y - 1:
                runs[-1][1] = y
            else:
                runs.append([y, y])
    if not runs:
        return 0
    tallest = max(end - start + 1 for start, end in runs)
    rows, row_top = 0, None
    for start, end in runs:
        if row_top is None or end - row_top + 1 > tallest:
            rows += 1
            row_top = start
    return rows


def main():
    shot, *numbers = sys.argv[1:]
    print(text_rows(shot, *(int(n) for n in numbers)))


if __name__ == "__main__":
    main()
