#!/usr/bin/env python3
"""Draws Quillet's artwork as SVG into resources/images and lists it in resources/quillet.qrc.

Every image keeps the name the program asks for ("operatorAddDark.png"); the resource alias
carries that name while the file itself is SVG. Run again after changing a drawing.
"""
import os
import math

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "resources", "images")

INK = "#2b2620"          # dark glyphs of the menu and favourite icons
LCD_INK = "#595b4e"      # the LCD's own ink
BRASS = "#8f6e3d"
FONT = "DejaVu Sans"
SERIF = "DejaVu Serif"

images = {}  # resource name -> file name


def svg(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">' + (f"<defs>{defs}</defs>" if defs else "") + body + "</svg>\n")


def save(name, content):
    base = name[:-4] if name.endswith(".png") else name
    file_name = base + ".svg"
    with open(os.path.join(OUT, file_name), "w", encoding="utf-8") as f:
        f.write(content)
    images[name] = file_name


def text(x, y, string, size, weight="bold", family=FONT, fill=INK, anchor="middle", style="normal"):
    string = string.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    return (f'<text x="{x}" y="{y}" font-family="{family}" font-size="{size}" font-weight="{weight}" '
            f'font-style="{style}" fill="{fill}" text-anchor="{anchor}">{string}</text>')


# Menu icons are 60 x 38 points; the LCD shows only the box (14, 10, 32, 18) and the favourites
# bar drops the top 8 points, so every glyph stays inside that box, centred on (30, 19).
CX, CY = 30, 19


def fitted_size(label, largest=15.0, room=31.0):
    # DejaVu Sans Bold averages about 0.68 em per character.
    return round(min(largest, room / (0.68 * max(1, len(label)))), 2)


def label_icon(label, largest=15.0, family=FONT, style="normal"):
    size = fitted_size(label, largest)
    return text(CX, CY + size * 0.36, label, size, family=family, style=style)


def power_icon(base, exponent, base_size=14.0):
    """A base with a raised exponent, the pair centred in the box."""
    exp_size = base_size * 0.62
    width = 0.68 * base_size * len(base) + 0.62 * exp_size * len(exponent)
    left = CX - width / 2
    base_width = 0.68 * base_size * len(base)
    y = CY + base_size * 0.36 + 1
    return (text(left, y, base, base_size, anchor="start") +
            text(left + base_width + 0.5, y - base_size * 0.45, exponent, exp_size, anchor="start"))


def stroke(d, width=2.6):
    return (f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def menu_icon(name, body):
    save(name, svg(60, 38, body))


def rotate_icon(direction, with_n):
    # A circular arrow over the top, turning right (clockwise) or left, and "n" for N bits.
    r = 7.5
    cx = CX - (5 if with_n else 0)
    cy = CY + 1
    first, last = (150, 390) if direction == "R" else (30, -210)
    sx, sy = cx + r * math.cos(math.radians(first)), cy + r * math.sin(math.radians(first))
    ex, ey = cx + r * math.cos(math.radians(last)), cy + r * math.sin(math.radians(last))
    sweep = 1 if direction == "R" else 0
    body = stroke(f"M{sx:.2f},{sy:.2f} A{r},{r} 0 1 {sweep} {ex:.2f},{ey:.2f}", 2.2)
    # The arrow head at the end, along the direction of travel.
    theta = math.radians(last)
    sign = 1 if direction == "R" else -1
    tx, ty = -math.sin(theta) * sign, math.cos(theta) * sign
    nx, ny = -ty, tx
    tip = (ex + tx * 3.2, ey + ty * 3.2)
    b1 = (ex - tx * 1.2 + nx * 3.2, ey - ty * 1.2 + ny * 3.2)
    b2 = (ex - tx * 1.2 - nx * 3.2, ey - ty * 1.2 - ny * 3.2)
    body += (f'<path d="M{tip[0]:.2f},{tip[1]:.2f} L{b1[0]:.2f},{b1[1]:.2f} L{b2[0]:.2f},{b2[1]:.2f} Z" '
             f'fill="{INK}"/>')
    body += text(cx, cy + 3.3, direction, 9)
    if with_n:
        body += text(cx + r + 6, CY + 7, "n", 10)
    return body


def shift_icon(chevrons, prefix="", suffix=""):
    parts = prefix + chevrons + suffix
    size = fitted_size(parts, 16)
    return text(CX, CY + size * 0.36, parts, size)


def make_operator_icons():
    menu_icon("operatorAddDark.png", stroke(f"M{CX - 7},{CY} H{CX + 7} M{CX},{CY - 7} V{CY + 7}", 3))
    menu_icon("operatorSubtractDark.png", stroke(f"M{CX - 7},{CY} H{CX + 7}", 3))
    menu_icon("operatorMultiplyDark.png",
              stroke(f"M{CX - 5.5},{CY - 5.5} L{CX + 5.5},{CY + 5.5} M{CX + 5.5},{CY - 5.5} L{CX - 5.5},{CY + 5.5}", 3))
    menu_icon("operatorDivideDark.png",
              stroke(f"M{CX - 7},{CY} H{CX + 7}", 3) +
              f'<circle cx="{CX}" cy="{CY - 5.5}" r="1.9" fill="{INK}"/>'
              f'<circle cx="{CX}" cy="{CY + 5.5}" r="1.9" fill="{INK}"/>')
    menu_icon("operatorFactorialDark.png", label_icon("x!"))
    # The random operator: a die showing five.
    die = (f'<rect x="{CX - 8}" y="{CY - 8}" width="16" height="16" rx="3.5" fill="none" '
           f'stroke="{INK}" stroke-width="2"/>')
    for dx, dy in ((-4, -4), (4, -4), (0, 0), (-4, 4), (4, 4)):
        die += f'<circle cx="{CX + dx}" cy="{CY + dy}" r="1.5" fill="{INK}"/>'
    menu_icon("operatorRandomDark.png", die)
    menu_icon("operatorReverseBytesDark.png",
              stroke(f"M{CX - 10},{CY - 3} H{CX + 10} M{CX + 6},{CY - 7} L{CX + 10},{CY - 3} L{CX + 6},{CY + 1}", 2) +
              stroke(f"M{CX + 10},{CY + 4} H{CX - 10} M{CX - 6},{CY} L{CX - 10},{CY + 4} L{CX - 6},{CY + 8}", 2))
    menu_icon("operatorBitGetDark.png", label_icon("bit?"))
    menu_icon("operatorBitSetDark.png", label_icon("bit1"))
    menu_icon("operatorBitClearDark.png", label_icon("bit0"))
    menu_icon("operatorToRealDark.png", label_icon("\u2192flt"))
    menu_icon("operatorToUBaseDark.png", label_icon("\u2192uint"))
    menu_icon("operatorToSBaseDark.png", label_icon("\u2192int"))
    menu_icon("operatorShiftLeftDark.png", shift_icon("<<"))
    menu_icon("operatorShiftRightDark.png", shift_icon(">>"))
    menu_icon("operatorArithmeticShiftRightDark.png", shift_icon(">>", prefix="a"))
    menu_icon("operatorShiftLeftNDark.png", shift_icon("<<", suffix="n"))
    menu_icon("operatorShiftRightNDark.png", shift_icon(">>", suffix="n"))
    menu_icon("operatorRotateLeftDark.png", rotate_icon("L", False))
    menu_icon("operatorRotateRightDark.png", rotate_icon("R", False))
    menu_icon("operatorRotateLeftNDark.png", rotate_icon("L", True))
    menu_icon("operatorRotateRightNDark.png", rotate_icon("R", True))
    for name, label in (("AND", "AND"), ("OR", "OR"), ("NAND", "NAND"), ("NOR", "NOR"), ("XOR", "XOR"),
                        ("MOD", "MOD"), ("Invert", "NOT")):
        menu_icon(f"operator{name}Dark.png", label_icon(label, 13))
    for name, label in (("Sin", "sin"), ("Cos", "cos"), ("Tan", "tan")):
        menu_icon(f"operator{name}Dark.png", label_icon(label, 14))
        menu_icon(f"operatorA{name}Dark.png", power_icon(label, "-1", 12))
    menu_icon("operatorLogDark.png", label_icon("log", 14))
    menu_icon("operatorLnDark.png", label_icon("ln", 14))
    menu_icon("operatorEPowDark.png", power_icon("e", "x", 15))
    menu_icon("operator10PowDark.png", power_icon("10", "x", 14))
    menu_icon("operatorSquaredDark.png", power_icon("x", "2", 15))
    menu_icon("operatorPowNDark.png", power_icon("x", "y", 15))
    menu_icon("operatorRecipDark.png", label_icon("1/x", 14))
    radical = f"M{CX - 11},{CY + 1} L{CX - 8},{CY} L{CX - 5},{CY + 7} L{CX - 1},{CY - 8} H{CX + 11}"
    menu_icon("operatorSqRootDark.png", stroke(radical, 1.8) + text(CX + 5, CY + 6, "x", 12))
    menu_icon("operatorNthRootDark.png",
              stroke(radical, 1.8) + text(CX + 5, CY + 6, "x", 12) + text(CX - 12, CY - 2, "y", 7.5))
    menu_icon("operatorAddPercentDark.png", label_icon("+%", 14))
    menu_icon("operatorSubtractPercentDark.png", label_icon("\u2212%", 14))
    menu_icon("operatorIsPercentOfDark.png", label_icon("is%", 14))
    menu_icon("operatorPercentChangeDark.png", label_icon("\u0394%", 14))
    menu_icon("operatorPercentOfDark.png", label_icon("%of", 14))
    for name, top, bottom in (("FloatToIEEE", "float", "\u2192ieee"), ("DoubleToIEEE", "dbl", "\u2192ieee"),
                              ("IEEEToFloat", "ieee", "\u2192float"), ("IEEEToDouble", "ieee", "\u2192dbl")):
        menu_icon(f"operator{name}Dark.png", text(CX, CY - 1.5, top, 7.5) + text(CX, CY + 7.5, bottom, 7.5))


def make_constant_icons():
    for name, glyph in (("Pi", "\u03c0"), ("E", "e"), ("EarthGravity", "g"),
                        ("GravitationalConstant", "G"), ("SpeedOfLight", "c")):
        # The bold italic serif π reads as "II" at this size; the upright sans one does not.
        face = dict(family=FONT, style="normal") if name == "Pi" else dict(family=SERIF, style="italic")
        menu_icon(f"constants{name}Dark.png", text(CX, CY + 6, glyph, 17, **face))
    menu_icon("constantsConstDark.png", label_icon("123", 13))


# The groups of the menus wear small key tiles in the keypad's own faces, so that a row that
# leads on reads differently from an operator: graphite for the programmer's groups, brass for
# the scientist's, the LCD's glass for the constants, an ivory favourite key for the favourites.
TILES = {
    "graphite": ("#74757c", "#4a4b52", "#2f3035", "#f3ecdc"),
    "brass": ("#c9a368", "#94723f", "#6e5530", "#fffaf0"),
    "glass": ("#e1e3c7", "#bfc3a0", "#8e927a", LCD_INK),
    "ivory": ("#f7efdc", "#dccfb1", "#b3a58a", BRASS),
    "clay": ("#c06656", "#8f3c30", "#6b2a21", "#fff4ec"),
}


def tile_icon(face, glyph_body):
    top, bottom, rim, _ = TILES[face]
    x, y, size = CX - 15, CY - 15, 30
    defs = (gradient("tile", (("0", top), ("1", bottom))) +
            '<linearGradient id="gloss" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#fff" stop-opacity="0.35"/>'
            '<stop offset="1" stop-color="#fff" stop-opacity="0"/></linearGradient>')
    body = (f'<rect x="{x}" y="{y + 1}" width="{size}" height="{size}" rx="7" fill="#000" opacity="0.28"/>'
            f'<rect x="{x + 0.5}" y="{y + 0.5}" width="{size - 1}" height="{size - 1}" rx="6.5" fill="url(#tile)" '
            f'stroke="{rim}" stroke-width="1"/>'
            f'<rect x="{x + 2}" y="{y + 1.5}" width="{size - 4}" height="{size * 0.45}" rx="5" fill="url(#gloss)"/>')
    return svg(60, 38, body + glyph_body, defs)


def tile_text(face, label, size, family=FONT, style="normal", dy=0.36, weight="bold"):
    ink = TILES[face][3]
    return text(CX, CY + size * dy, label, size, weight=weight, family=family, style=style, fill=ink)


def tile_stroke(face, d, width=2.2):
    return (f'<path d="{d}" fill="none" stroke="{TILES[face][3]}" stroke-width="{width}" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def make_sub_menu_icons():
    sine = "M{:.1f},{:.1f}".format(CX - 10, CY) + "".join(
        " L{:.2f},{:.2f}".format(CX - 10 + i * 0.5, CY - 6.5 * math.sin(i * 0.5 / 20 * 2 * math.pi))
        for i in range(1, 41))
    # The rotate tile: an arrow turning round a point, with its head.
    r = 7.0
    arc = (f"M{CX + r * math.cos(math.radians(200)):.2f},{CY + r * math.sin(math.radians(200)):.2f} "
           f"A{r},{r} 0 1 1 {CX + r * math.cos(math.radians(140)):.2f},{CY + r * math.sin(math.radians(140)):.2f}")
    end = math.radians(140)
    hx, hy = CX + r * math.cos(end), CY + r * math.sin(end)
    tx, ty = -math.sin(end), math.cos(end)
    nx, ny = -ty, tx
    head = (f'<path d="M{hx + tx * 3.4:.2f},{hy + ty * 3.4:.2f} L{hx - tx * 1.2 + nx * 3.4:.2f},'
            f'{hy - ty * 1.2 + ny * 3.4:.2f} L{hx - tx * 1.2 - nx * 3.4:.2f},{hy - ty * 1.2 - ny * 3.4:.2f} Z" '
            f'fill="{TILES["graphite"][3]}"/>')
    icons = {
        "Basic": ("graphite", tile_text("graphite", "n!", 14)),
        "Logic": ("graphite", tile_text("graphite", "&", 16)),
        "Shift": ("graphite", tile_text("graphite", "<<", 14)),
        "Rotate": ("graphite", tile_stroke("graphite", arc, 2.2) + head),
        "Format": ("graphite", tile_text("graphite", "754", 10.5)),
        "Powers": ("brass", text(CX - 2.5, CY + 5, "x", 15, fill=TILES["brass"][3]) +
                   text(CX + 5.5, CY - 2, "y", 10, fill=TILES["brass"][3])),
        "Trigonometry": ("brass", tile_stroke("brass", sine, 2.2)),
        "Percent": ("brass", tile_text("brass", "%", 15)),
        "Constants": ("glass", tile_text("glass", "\u03c0", 17)),
        "Favourites": ("ivory", tile_text("ivory", "\u2605", 17, dy=0.36)),
        "Settings": ("graphite", tile_text("graphite", "\u2699", 19, dy=0.35)),
        "About": ("clay", tile_text("clay", "i", 17, family=SERIF, style="italic", dy=0.36)),
    }
    for name, (face, glyph) in icons.items():
        save(f"subMenu{name}.png", tile_icon(face, glyph))


def make_lcd_pages():
    # The display strip's indicator: the current page a small dark tab, the others faint words.
    for label in ("Bin", "Oct", "Dec", "Hex", "Fix", "Eng", "Sci", "Auto"):
        word = label.upper()
        width = 40 if len(word) == 4 else 30
        current = (f'<rect x="0.5" y="0.5" width="{width - 1}" height="13" rx="3" fill="{LCD_INK}"/>' +
                   text(width / 2, 10.2, word, 8.5, fill="#d9dcbf"))
        save(f"lcdPage{label}.png", svg(width, 14, current))
        dim = text(width / 2, 10.2, word, 8.5, fill=LCD_INK).replace("<text ", '<text opacity="0.45" ')
        save(f"lcdPage{label}Transparent.png", svg(width, 14, dim))


def gradient(id_, stops, vertical=True):
    x2, y2 = ("0", "1") if vertical else ("1", "0")
    inner = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'<linearGradient id="{id_}" x1="0" y1="0" x2="{x2}" y2="{y2}">{inner}</linearGradient>'


def make_backgrounds():
    # The LCD glass: warm, with faint rows like a real panel; it tiles seamlessly both ways (the
    # LCD itself lays the light of the glass over it, at whatever height it has).
    rows = "".join(f'<rect x="0" y="{y}" width="60" height="1" fill="#000" opacity="0.022"/>'
                   for y in range(1, 60, 3))
    save("lcdBackground.png", svg(60, 60, '<rect width="60" height="60" fill="#d2d5b4"/>' + rows))
    save("lcdBackgroundMenu.png", svg(320, 44, '<rect width="320" height="44" fill="url(#glass)"/>',
                                      gradient("glass", (("0", "#dcdec0"), ("1", "#c6c9a7")))))
    # The favourites strip: dark leather between the LCD and the keys.
    save("favouritesBarBackground.png", svg(320, 50,
                                            '<rect width="320" height="50" fill="url(#bar)"/>'
                                            '<rect width="320" height="1" fill="#000" opacity="0.5"/>'
                                            '<rect y="49" width="320" height="1" fill="#fff" opacity="0.06"/>',
                                            gradient("bar", (("0", "#2c2b2e"), ("1", "#1d1c1f")))))
    # The keypad's body.
    save("backgroundCalc.png", svg(320, 280,
                                   '<rect width="320" height="280" fill="url(#body)"/>',
                                   gradient("body", (("0", "#26272c"), ("1", "#151619")))))
    # The menus' ground: fine upright pinstripes on warm paper, seamless in both directions.
    save("backgroundMenu.png", svg(8, 8, '<rect width="8" height="8" fill="#e3dcc9"/>'
                                         '<rect width="3" height="8" fill="#ebe5d5"/>'))
    save("historyHeader.png", svg(320, 25,
                                  '<rect width="320" height="25" fill="url(#header)"/>'
                                  '<rect y="24" width="320" height="1" fill="#000" opacity="0.4"/>',
                                  gradient("header", (("0", "#6d5a3d"), ("1", "#4e3f2a")))))


def key_face(name, top, bottom, rim, pressed=False, width=64, height=48):
    """A rounded key with a soft top light and a dark base; pressed keys sit lower and darker."""
    inset = 2.0
    lift = 0 if pressed else 1.5
    defs = gradient("cap", (("0", top), ("1", bottom)))
    defs += gradient("shine", (("0", "#ffffff"), ("1", "#ffffff")))
    body = (f'<rect x="{inset}" y="{inset + 1}" width="{width - 2 * inset}" height="{height - 2 * inset}" '
            f'rx="8" fill="#000" opacity="0.45"/>'
            f'<rect x="{inset}" y="{inset + (1.5 if pressed else 0)}" width="{width - 2 * inset}" '
            f'height="{height - 2 * inset - lift}" rx="8" fill="url(#cap)" stroke="{rim}" stroke-width="1"/>')
    if not pressed:
        body += (f'<rect x="{inset + 3}" y="{inset + 1.5}" width="{width - 2 * inset - 6}" height="{height * 0.38}" '
                 f'rx="6" fill="url(#shine)" opacity="0.07"/>')
    save(name, svg(width, height, body, defs))


def make_key_faces():
    key_face("keyDigit.png", "#4a4b52", "#35363c", "#5a5b63")
    key_face("keyDigitPressed.png", "#2f3035", "#3a3b41", "#46474e", pressed=True)
    key_face("keyOperator.png", "#b08a4f", "#8f6e3d", "#c49d61")
    key_face("keyOperatorPressed.png", "#7c5f34", "#8a6b3c", "#9b7a48", pressed=True)
    key_face("keyEquals.png", "#d29a45", "#b07a2c", "#e0ad5e")
    key_face("keyEqualsPressed.png", "#9a6a26", "#a87530", "#b9873f", pressed=True)
    key_face("keyFunction.png", "#6a6b72", "#54555c", "#7b7c83")
    key_face("keyFunctionPressed.png", "#46474d", "#505157", "#5c5d63", pressed=True)
    key_face("keyClear.png", "#a9493a", "#86362b", "#bd5c4c")
    key_face("keyClearPressed.png", "#742d24", "#80342a", "#8f4034", pressed=True)
    key_face("favouriteKey.png", "#efe5cd", "#d9ccae", "#f7efdc", width=60, height=40)
    key_face("favouriteKeyPressed.png", "#c9bb9a", "#d3c6a6", "#ddd1b3", pressed=True, width=60, height=40)
    key_face("buttonFavouriteMenu.png", "#efe5cd", "#d9ccae", "#f7efdc", width=60, height=40)
    # The ASCII table's cells: small ivory keys on the keypad's dark body, so that the black
    # characters read well; the pressed cell sinks and lights up in brass.
    ascii_cell("asciiTableCell.png", "#f1e8d2", "#d8cbac", "#fbf5e6")
    ascii_cell("asciiTableCellDepressed.png", "#d6a65a", "#e2b56c", "#b98a43", pressed=True)


def ascii_cell(name, top, bottom, rim, pressed=False, width=40, height=50):
    inset = 1.5
    defs = gradient("cap", (("0", top), ("1", bottom)))
    cap_top = inset + (1.0 if pressed else 0.0)
    cap_height = height - 2 * inset - 1.5
    body = (f'<rect x="{inset}" y="{inset + 1.5}" width="{width - 2 * inset}" height="{height - 2 * inset - 1.5}" '
            f'rx="5" fill="#000" opacity="0.55"/>'
            f'<rect x="{inset}" y="{cap_top}" width="{width - 2 * inset}" height="{cap_height}" rx="5" '
            f'fill="url(#cap)" stroke="{rim}" stroke-width="0.8"/>')
    if pressed:
        # The rim of a sunken key is in shadow along its top edge.
        body += (f'<rect x="{inset + 0.8}" y="{cap_top + 0.6}" width="{width - 2 * inset - 1.6}" height="3" rx="2" '
                 f'fill="#000" opacity="0.16"/>')
    else:
        # A soft light on the upper part of the cap, fading out before the character.
        defs += ('<linearGradient id="shine" x1="0" y1="0" x2="0" y2="1">'
                 '<stop offset="0" stop-color="#fff" stop-opacity="0.55"/>'
                 '<stop offset="1" stop-color="#fff" stop-opacity="0"/></linearGradient>')
        body += (f'<rect x="{inset + 1.5}" y="{inset + 0.8}" width="{width - 2 * inset - 3}" height="{height * 0.45}" '
                 f'rx="4" fill="url(#shine)"/>')
    save(name, svg(width, height, body, defs))


def make_navigation_icons():
    light = "#e8e2d2"
    clock = (f'<circle cx="15" cy="15" r="10" fill="none" stroke="{light}" stroke-width="2.2"/>'
             f'<path d="M15,9 V15 L19.5,17.5" fill="none" stroke="{light}" stroke-width="2.2" '
             f'stroke-linecap="round" stroke-linejoin="round"/>')
    save("navigationBarHistory.png", svg(30, 30, clock))
    calc = (f'<rect x="7" y="4" width="16" height="22" rx="2.5" fill="none" stroke="{light}" stroke-width="2"/>'
            f'<rect x="10" y="7" width="10" height="5" rx="1" fill="{light}"/>')
    for row in range(3):
        for col in range(3):
            calc += f'<rect x="{10 + col * 3.6:.1f}" y="{14.5 + row * 3.6:.1f}" width="2.4" height="2.4" fill="{light}"/>'
    save("navigationBarCalc.png", svg(30, 30, calc))


def make_toolbar_icons():
    """The history's toolbar: clear, copy, save and e-mail, light line drawings on the black bar."""
    light = "#e8e2d2"

    def line(d, width=1.8):
        return (f'<path d="{d}" fill="none" stroke="{light}" stroke-width="{width}" '
                f'stroke-linecap="round" stroke-linejoin="round"/>')

    trash = (line("M5,7.5 H23") + line("M11,7.5 V5.2 Q11,4.2 12,4.2 H16 Q17,4.2 17,5.2 V7.5") +
             line("M7,7.5 L8.3,23 Q8.4,24 9.4,24 H18.6 Q19.6,24 19.7,23 L21,7.5") +
             line("M11.3,11 L11.8,20.5", 1.5) + line("M14,11 V20.5", 1.5) + line("M16.7,11 L16.2,20.5", 1.5))
    save("toolbarTrash.png", svg(28, 28, trash))
    mail = (f'<rect x="3.5" y="7" width="21" height="14.5" rx="2" fill="none" stroke="{light}" stroke-width="1.8"/>' +
            line("M4.5,8.3 L14,15.5 L23.5,8.3") + line("M4.5,20.3 L11.3,13.5", 1.4) + line("M23.5,20.3 L16.7,13.5", 1.4))
    save("toolbarMail.png", svg(28, 28, mail))
    # A tray with an arrow going down into it.
    save_icon = line("M4.5,15.5 V22 Q4.5,23.5 6,23.5 H22 Q23.5,23.5 23.5,22 V15.5") + line("M14,4 V17") + \
        line("M9,12.5 L14,17.5 L19,12.5")
    save("toolbarSave.png", svg(28, 28, save_icon))
    copy = (f'<rect x="9.5" y="8.5" width="13" height="16" rx="2" fill="none" stroke="{light}" stroke-width="1.8"/>' +
            line("M6.5,19.5 H6 Q5.5,19.5 5.5,19 V5 Q5.5,3.5 7,3.5 H17 Q18.5,3.5 18.5,5 V5.5") +
            line("M12.5,13 H19.5", 1.4) + line("M12.5,16.5 H19.5", 1.4) + line("M12.5,20 H17", 1.4))
    save("toolbarCopy.png", svg(28, 28, copy))


def make_table_accessories():
    """The marks at the right end of a table row: a chevron that leads on, a tick for the choice."""
    for suffix, chevron_ink, tick_ink in (("", "#a39682", BRASS), ("Highlighted", "#ffffff", "#ffffff")):
        chevron = (f'<path d="M2.5,2 L8,7 L2.5,12" fill="none" stroke="{chevron_ink}" stroke-width="2.6" '
                   f'stroke-linecap="round" stroke-linejoin="round"/>')
        save(f"tableDisclosureIndicator{suffix}.png", svg(10, 14, chevron))
        tick = (f'<path d="M2,8 L6,12 L14,2.5" fill="none" stroke="{tick_ink}" stroke-width="2.8" '
                f'stroke-linecap="round" stroke-linejoin="round"/>')
        save(f"tableCheckmark{suffix}.png", svg(16, 14, tick))


def make_app_icon():
    defs = (gradient("body", (("0", "#34353b"), ("1", "#17181b"))) +
            gradient("glass", (("0", "#e1e2c6"), ("1", "#bfc3a0"))) +
            gradient("brass", (("0", "#c49d61"), ("1", "#8f6e3d"))))
    body = ('<rect x="8" y="8" width="240" height="240" rx="48" fill="url(#body)"/>'
            '<rect x="36" y="36" width="184" height="68" rx="10" fill="url(#glass)"/>'
            + text(206, 88, "42", 44, fill=LCD_INK, anchor="end"))
    for row in range(2):
        for col in range(4):
            fill = "url(#brass)" if col == 3 else "#4a4b52"
            body += (f'<rect x="{36 + col * 48}" y="{122 + row * 52}" width="40" height="42" rx="8" '
                     f'fill="{fill}"/>')
    save("quillet.png", svg(256, 256, body, defs))
    # The same drawing is the desktop icon that is installed with the program.
    with open(os.path.join(ROOT, "resources", "quillet.svg"), "w", encoding="utf-8") as f:
        f.write(svg(256, 256, body, defs))


def make_about_artwork():
    """The About screen: the calculator on its dark body, lit from behind, with a brass quill."""
    glow = ('<radialGradient id="glow" cx="160" cy="110" r="190" gradientUnits="userSpaceOnUse">'
            '<stop offset="0" stop-color="#c49d61" stop-opacity="0.22"/>'
            '<stop offset="1" stop-color="#c49d61" stop-opacity="0"/></radialGradient>')
    save("backgroundAbout.png", svg(320, 416,
                                    '<rect width="320" height="416" fill="url(#body)"/>'
                                    '<rect width="320" height="416" fill="url(#glow)"/>'
                                    '<rect y="0" width="320" height="1" fill="#000" opacity="0.5"/>',
                                    gradient("body", (("0", "#2a2b30"), ("1", "#121315"))) + glow))
    defs = (gradient("body", (("0", "#45464d"), ("1", "#1b1c20"))) +
            gradient("glass", (("0", "#e1e3c7"), ("1", "#bcc09c"))) +
            gradient("brass", (("0", "#d2ab6c"), ("1", "#8f6e3d"))) +
            gradient("key", (("0", "#55565e"), ("1", "#3a3b41"))) +
            gradient("vane", (("0", "#f4ecd8"), ("1", "#cdbd98")), vertical=False))
    # The quill lies behind the calculator, its vane rising past the top right corner.
    quill = ('<g transform="rotate(38 112 70)">'
             '<path d="M112,6 C128,26 130,64 114,112 L110,112 C96,64 98,26 112,6 Z" fill="url(#vane)" '
             'stroke="#a98c5c" stroke-width="0.8"/>'
             '<path d="M112,14 L112,128" stroke="#8f6e3d" stroke-width="1.6" stroke-linecap="round"/>'
             + "".join(f'<path d="M112,{y} L{120 - abs(y - 55) * 0.06:.1f},{y - 7}" stroke="#b8a27a" '
                       f'stroke-width="0.7"/>' for y in range(26, 100, 9))
             + '</g>')
    body = quill + ('<rect x="14" y="28" width="106" height="116" rx="16" fill="#000" opacity="0.45"/>'
                    '<rect x="12" y="24" width="106" height="116" rx="16" fill="url(#body)" stroke="#5d5e66" '
                    'stroke-width="1"/>'
                    '<rect x="16" y="27" width="98" height="30" rx="12" fill="#fff" opacity="0.05"/>'
                    '<rect x="22" y="34" width="86" height="32" rx="5" fill="url(#glass)" stroke="#2a2b2f" '
                    'stroke-width="1"/>'
                    + text(27, 42.5, "32 bits", 6, weight="normal", fill=LCD_INK, anchor="start")
                    + text(103, 61, "42", 18, fill=LCD_INK, anchor="end"))
    for row in range(3):
        for col in range(4):
            fill = "url(#brass)" if col == 3 else "url(#key)"
            body += (f'<rect x="{22 + col * 22}" y="{74 + row * 20}" width="18" height="15" rx="3.5" '
                     f'fill="{fill}" stroke="#000" stroke-opacity="0.35" stroke-width="0.6"/>')
    save("aboutArtwork.png", svg(150, 150, body, defs))
    for name, top, bottom, rim, pressed in (("aboutWebButton.png", "#c9a263", "#8f6e3d", "#dcb779", False),
                                            ("aboutWebButtonPressed.png", "#7c5f34", "#8a6b3c", "#9b7a48", True)):
        key_face(name, top, bottom, rim, pressed=pressed, width=220, height=46)


def write_qrc():
    lines = ["<RCC>", '    <qresource prefix="/images">']
    for name in sorted(images):
        lines.append(f'        <file alias="{name}">images/{images[name]}</file>')
    lines += ["    </qresource>", "</RCC>", ""]
    with open(os.path.join(ROOT, "resources", "quillet.qrc"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def main():
    os.makedirs(OUT, exist_ok=True)
    make_operator_icons()
    make_constant_icons()
    make_sub_menu_icons()
    make_lcd_pages()
    make_backgrounds()
    make_key_faces()
    make_navigation_icons()
    make_toolbar_icons()
    make_table_accessories()
    make_app_icon()
    make_about_artwork()
    write_qrc()
    print(f"{len(images)} images")


if __name__ == "__main__":
    main()
