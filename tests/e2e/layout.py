"""Where the main window's controls are, in twips of its central area.

Rectangles are (left, top, width, height); a control inside a frame is
given relative to that frame and converted to the central area here.
15 twips are one pixel.
"""

TWIPS_PER_PIXEL = 15
CENTRAL_HEIGHT_PX = 451  # 6765 twips
CENTRAL_WIDTH_PX = 786  # 11790 twips

FRAMES = {
    "fraIcons": (150, 600, 990, 5115),
    "fraButton": (1275, 600, 2415, 5115),
    "fraMsgText": (3825, 600, 7815, 5115),
    "fraAbfrageCode": (150, 5775, 4515, 840),
    "fraDefaultButton": (4800, 5775, 6840, 840),
}


def _in(frame, rect):
    fl, ft, _, _ = FRAMES[frame]
    left, top, width, height = rect
    return (fl + left, ft + top, width, height)


_ICON_TOPS = {0: (450, 540), 16: (1350, 615), 32: (2325, 615), 48: (3300, 615), 64: (4275, 615)}
_BUTTON_TOPS = {0: 450, 1: 1230, 2: 2010, 3: 2790, 4: 3570, 5: 4350}
_DEFAULT_LEFTS = {0: 225, 256: 2070, 512: 3930}
_CODE_RECTS = {0: (225, 1365), 1: (1575, 1365), 2: (2925, 915), 3: (3900, 690)}
_TOOLBAR = {
    0: (225, 75, 240, 240),
    1: (705, 75, 255, 255),
    2: (1200, 75, 240, 240),
    8: (1950, 75, 240, 225),
    3: (2475, 75, 240, 240),
    4: (3000, 75, 240, 240),
    5: (3525, 75, 240, 240),
    10: (4050, 75, 240, 240),
    9: (10125, 75, 240, 240),
    6: (10575, 75, 240, 240),
    7: (11100, 0, 360, 360),
}

CONTROLS = {}
for _index, (_top, _height) in _ICON_TOPS.items():
    CONTROLS["optIcons(%d)" % _index] = _in("fraIcons", (150, _top, 690, _height))
for _index, _top in _BUTTON_TOPS.items():
    CONTROLS["optButtons(%d)" % _index] = _in("fraButton", (150, _top, 2115, 540))
for _index, _left in _DEFAULT_LEFTS.items():
    CONTROLS["optDefaultButton(%d)" % _index] = _in("fraDefaultButton", (_left, 300, 1650, 390))
CONTROLS["cmdHilfeButton"] = _in("fraDefaultButton", (5775, 300, 825, 390))
for _index, (_left, _width) in _CODE_RECTS.items():
    # The code-style options belong to the window itself.
    CONTROLS["optCode(%d)" % _index] = (_left, 6150, _width, 240)
for _index, _rect in _TOOLBAR.items():
    CONTROLS["imgButton(%d)" % _index] = _rect
CONTROLS["chkHelpButton"] = (4875, 75, 1440, 240)
CONTROLS["chkSystemModal"] = (6525, 75, 1545, 240)
CONTROLS["txtTitel"] = _in("fraMsgText", (150, 300, 7515, 390))
CONTROLS["txtMessage"] = _in("fraMsgText", (150, 750, 7515, 4215))


def centre_px(name):
    """Centre of a control in pixels from the central area's top left corner."""
    left, top, width, height = CONTROLS[name]
    return (
        round((left + width / 2) / TWIPS_PER_PIXEL),
        round((top + height / 2) / TWIPS_PER_PIXEL),
    )


def rect_px(name):
    left, top, width, height = CONTROLS[name]
    t = TWIPS_PER_PIXEL
    return (round(left / t), round(top / t), round(width / t), round(height / t))
