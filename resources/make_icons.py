#!/usr/bin/env python3
"""Draws the editor's toolbar images and program icons as small PNG files.

Each image is a grid of characters, one per pixel; the palette maps characters to colours
('.' is transparent). Run it from this folder to regenerate toolbar/*.png and icons/*.png.
"""
import struct
import zlib

PALETTE = {
    '.': (0, 0, 0, 0),
    'k': (32, 32, 32, 255),      # outline
    'w': (255, 255, 255, 255),
    'g': (160, 160, 160, 255),
    'd': (96, 96, 96, 255),
    'y': (240, 200, 64, 255),    # folder
    'o': (200, 150, 40, 255),
    'b': (40, 90, 180, 255),     # blue
    'l': (130, 170, 230, 255),
    'r': (200, 40, 40, 255),
    'n': (40, 150, 70, 255),     # green
    't': (20, 110, 120, 255),    # teal
    'c': (110, 200, 205, 255),
}

ICONS = {
    'toolbar/new.png': [
        "................",
        "..kkkkkkkk......",
        "..kwwwwwwkk.....",
        "..kwwwwwwkwk....",
        "..kwwwwwwkkkk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kkkkkkkkkkk...",
        "................",
    ],
    'toolbar/open.png': [
        "................",
        "................",
        "..........kkk...",
        ".........k...k.k",
        "..............kk",
        ".kkk.........kkk",
        "kyyykkkkkkk.....",
        "kywywywywyk.....",
        "kwywykkkkkkkkkk.",
        "kywykooooooooook",
        "kwykooooooooook.",
        "kykooooooooook..",
        "kkooooooooook...",
        "kkkkkkkkkkkk....",
        "................",
        "................",
    ],
    'toolbar/save.png': [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbbbbbbbbbbbk.",
        ".kbbkkkkkkkkbbk.",
        ".kbbkggkwwwkbbk.",
        ".kbbkggkwwwkbbk.",
        ".kbbkggkwwwkbbk.",
        ".kbbkggkwwwkbbk.",
        "..kkkkkkkkkkkkk.",
        "................",
        "................",
    ],
    'toolbar/cut.png': [
        "................",
        "...k.....k......",
        "...k.....k......",
        "...k.....k......",
        "...kk...kk......",
        "....k...k.......",
        "....kk.kk.......",
        ".....kkk........",
        "......k.........",
        ".....bkb........",
        "...bbb.bbb......",
        "..b..b.b..b.....",
        "..b..b.b..b.....",
        "..b..b.b..b.....",
        "...bb...bb......",
        "................",
    ],
    'toolbar/copy.png': [
        "................",
        "kkkkkk..........",
        "kwwwwkk.........",
        "kwkkwkwk........",
        "kwwwwkkkkkkk....",
        "kwkkkkwwwwwkk...",
        "kwwwwkwkkkwkwk..",
        "kwkkkkwwwwwkkkk.",
        "kwwwwkwkkkkkkwk.",
        "kkkkkkwwwwwwwwk.",
        ".....kwkkkkkkwk.",
        ".....kwwwwwwwwk.",
        ".....kwkkkkkkwk.",
        ".....kwwwwwwwwk.",
        ".....kkkkkkkkkk.",
        "................",
    ],
    'toolbar/paste.png': [
        "................",
        "....kkkk........",
        ".kkkkyykkkk.....",
        "kooky..ykook....",
        "kookkkkkkook....",
        "kooooooooook....",
        "kooookkkkkkkk...",
        "kooookwwwwwkwk..",
        "kooookwkkkwkwwk.",
        "kooookwwwwwkkkk.",
        "kooookwkkkkkwwk.",
        "kooookwwwwwwwwk.",
        ".kkkkkwkkkkkkwk.",
        ".....kwwwwwwwwk.",
        ".....kkkkkkkkkk.",
        "................",
    ],
    'toolbar/delete.png': [
        "................",
        "................",
        "..rr........rr..",
        "..rrr......rrr..",
        "...rrr....rrr...",
        "....rrr..rrr....",
        ".....rrrrrr.....",
        "......rrrr......",
        "......rrrr......",
        ".....rrrrrr.....",
        "....rrr..rrr....",
        "...rrr....rrr...",
        "..rrr......rrr..",
        "..rr........rr..",
        "................",
        "................",
    ],
    'toolbar/print.png': [
        "................",
        "....kkkkkkkk....",
        "....kwwwwwwk....",
        "....kwkkkkwk....",
        "....kwwwwwwk....",
        "..kkkkkkkkkkkk..",
        ".kggggggggggggk.",
        ".kggggggggggnnk.",
        ".kggggggggggggk.",
        ".kddddddddddddk.",
        ".kgkwwwwwwwwkgk.",
        "..kkwkkkkkkwkk..",
        "....kwwwwwwk....",
        "....kwwwwwwk....",
        "....kkkkkkkk....",
        "................",
    ],
    'toolbar/newregister.png': [
        "................",
        "kkkkkkkkkkkk....",
        "kllllllllllk....",
        "kkkkkkkkkkkk....",
        "kwwkwwwwwwwk....",
        "kkkkkkkkkkkk....",
        "kwwkwwwwwwwk....",
        "kkkkkkkkkkkk....",
        "kwwkwwwwwwk.....",
        "kkkkkkkkkk..nn..",
        "............nn..",
        "..........nnnnnn",
        "..........nnnnnn",
        "............nn..",
        "............nn..",
        "................",
    ],
    'toolbar/about.png': [
        "................",
        ".....bbbbbb.....",
        "...bbbbbbbbbb...",
        "..bbbbbwwbbbbb..",
        "..bbbbbwwbbbbb..",
        ".bbbbbbbbbbbbbb.",
        ".bbbbbwwwbbbbbb.",
        ".bbbbbbwwbbbbbb.",
        ".bbbbbbwwbbbbbb.",
        ".bbbbbbwwbbbbbb.",
        "..bbbbbwwbbbbb..",
        "..bbbbwwwwbbbb..",
        "...bbbbbbbbbb...",
        ".....bbbbbb.....",
        "................",
        "................",
    ],
    'toolbar/contexthelp.png': [
        "................",
        "k...............",
        "kk..............",
        "kwk.......bbbb..",
        "kwwk.....bb..bb.",
        "kwwwk........bb.",
        "kwwwwk......bb..",
        "kwwwwwk....bb...",
        "kwwwkkkk...bb...",
        "kwkwk.......... ",
        "kk.kwk.....bb...",
        "k..kwk.....bb...",
        "....kwk.........",
        "....kwk.........",
        ".....k..........",
        "................",
    ],
    'toolbar/live.png': [
        "................",
        ".kkkkkkkkkkkkkk.",
        ".kwwwwwwwwwwwwk.",
        ".kwwwwwwwwwwwnk.",
        ".kwwwwwwwwwwnwk.",
        ".kwwwwnwwwwnwwk.",
        ".kwwwnwnwwwnwwk.",
        ".kwwnwwwnwnwwwk.",
        ".kwnwwwwwnwwwwk.",
        ".kwnwwwwwwwwwwk.",
        ".kwwwwwwwwwwwwk.",
        ".kkkkkkkkkkkkkk.",
        "......kkkk......",
        "....kkkkkkkk....",
        "................",
        "................",
    ],
    'icons/document.png': [
        "................",
        "..kkkkkkkk......",
        "..kwwwwwwkk.....",
        "..kwttttwkwk....",
        "..kwwwwwwkkkk...",
        "..kwttttttwwk...",
        "..kwwwwwwwwwk...",
        "..kwcccwcccwk...",
        "..kwwwwwwwwwk...",
        "..kwcccwcccwk...",
        "..kwwwwwwwwwk...",
        "..kwcccwcccwk...",
        "..kwwwwwwwwwk...",
        "..kwwwwwwwwwk...",
        "..kkkkkkkkkkk...",
        "................",
    ],
    'icons/tessaly.png': [
        "................",
        ".tttttttttttttt.",
        ".tccccccccccccct",
        ".tctttttttttttct",
        ".tcttccttcctttct",
        ".tcttccttcctttct",
        ".tctttttttttttct",
        ".tccccckkcccccct",
        ".ttttttkktttttt.",
        "......kkkk......",
        ".....kkkkkk.....",
        "................",
        "..k.k.k.k.k.k...",
        "..kkkkkkkkkkk...",
        "..kwkwkwkwkwk...",
        "..kkkkkkkkkkk...",
    ],
}


def scale(rows, factor):
    return [''.join(ch * factor for ch in row) for row in rows for _ in range(factor)]


def write_png(path, rows):
    width = len(rows[0])
    raw = b''
    for row in rows:
        row = row.ljust(width, '.')[:width]
        raw += b'\x00' + b''.join(bytes(PALETTE.get(ch, PALETTE['.'])) for ch in row)
    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)
    header = struct.pack('>IIBBBBB', width, len(rows), 8, 6, 0, 0, 0)
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def write_svg(path, rows):
    """The same pixel grid as a scalable image: one rectangle per run of equal pixels."""
    width, height = len(rows[0]), len(rows)
    rects = []
    for y, row in enumerate(rows):
        row = row.ljust(width, '.')[:width]
        x = 0
        while x < width:
            ch = row[x]
            end = x
            while end < width and row[end] == ch:
                end += 1
            r, g, b, a = PALETTE.get(ch, PALETTE['.'])
            if a:
                rects.append('  <rect x="%d" y="%d" width="%d" height="1" fill="#%02x%02x%02x"/>'
                             % (x, y, end - x, r, g, b))
            x = end
    with open(path, 'w') as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
                'viewBox="0 0 %d %d" shape-rendering="crispEdges">\n' % (width, height, width, height))
        f.write('\n'.join(rects) + '\n</svg>\n')


if __name__ == '__main__':
    for path, rows in ICONS.items():
        write_png(path, rows)
    # The program icon and the map files' icon in the sizes desktops ask for, and scalable.
    for name, source in (('tessaly', 'icons/tessaly.png'), ('document', 'icons/document.png')):
        for size in (32, 48, 64, 128, 256):
            if name == 'document' and size in (32, 64):
                continue
            write_png('icons/%s-%d.png' % (name, size), scale(ICONS[source], size // 16))
        write_svg('icons/%s.svg' % name, ICONS[source])
