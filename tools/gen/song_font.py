#!/usr/bin/env python3
"""Makes the prefix's stand-in for "宋体" from AR PL SungtiL GB.

The face draws "_" from 81 to 124 units below the baseline, deeper than its
own cell's descent (124 units, which rounds to one pixel at 12 px): at the
sizes our windows use the line falls below the cell and is clipped away, so
"VK_RETURN" reads "VK RETURN". Here the underscore is raised into the cell's
bottom pixel row (84 to 20 units below the baseline, which covers that row's
centre from 9 to 24 px) and the face is given its own name, so it never
stands beside the system's copy under the same one. Nothing else changes.

usage: song_font.py SOURCE.ttf TARGET.ttf
"""
import os
import sys

from fontTools.ttLib import TTFont

FAMILY = "Brova SungtiL GB"


def main(source, target):
    font = TTFont(source)
    glyphs = font["glyf"]
    name = font.getBestCmap()[ord("_")]
    underscore = glyphs[name]
    coordinates, _, _ = underscore.getCoordinates(glyphs)
    top = max(y for _, y in coordinates)
    bottom = min(y for _, y in coordinates)
    for i, (x, y) in enumerate(coordinates):
        coordinates[i] = (x, -20 if y == top else -84)
    if hasattr(underscore, "program"):
        underscore.program.fromBytecode(b"")  # its hints placed the old line
    underscore.recalcBounds(glyphs)
    assert bottom < -81 and underscore.yMin == -84, "unexpected underscore"
    for record in font["name"].names:
        if record.nameID in (1, 3, 4, 16):
            record.string = FAMILY
        elif record.nameID == 6:
            record.string = FAMILY.replace(" ", "")
    temporary = target + ".part"
    font.save(temporary)
    os.replace(temporary, target)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
