#!/usr/bin/env python3
"""Writes the thirteen main-screen layouts (Main_<class>.ui) from one template.

Run it from anywhere after changing the template; the .ui files it writes are committed, so a
build needs no Python. Phones get three pages (the tuner, the player's settings, and about and links)
with a tab bar at the bottom; pads show everything on one page in two columns.
"""

import os
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))

# name, idiom, width, height (the tallest screen of the class), indicator outlet; a class's
# narrower screens are 390 (iPhone12Pro) and 428 (iPhone12ProMax) points wide.
CLASSES = [
    ("iPhone4s", "phone", 320, 480, "tunedString"),
    ("iPhone", "phone", 320, 568, "tunedString5"),
    ("iPhone6", "phone", 375, 667, "tunedString5"),
    ("iPhone6Plus", "phone", 414, 736, "tunedString5"),
    ("iPhoneX", "phone", 375, 812, "tunedString5"),
    ("iPhone12Pro", "phone", 402, 874, "tunedString5"),
    ("iPhoneXSMax", "phone", 414, 896, "tunedString5"),
    ("iPhone12ProMax", "phone", 440, 956, "tunedString5"),
    ("iPad", "pad", 768, 1024, "tunedStringiPad"),
    ("iPad_Pro_10_5", "pad", 834, 1180, "tunedStringiPad"),
    ("iPad_Mini6", "pad", 744, 1133, "tunedStringiPad"),
    ("iPad_Pro_11", "pad", 834, 1210, "tunedStringiPad"),
    ("iPad_Pro", "pad", 1032, 1376, "tunedStringiPad"),
]

FORK_ACTIONS = ["playD293_6Hz:", "playB246_9Hz:", "playG196Hz:", "playD146_8Hz:", "playG392Hz:"]
FORK_OUTLETS = ["firstFreqButton", "secondFreqButton", "thirdFreqButton", "fourthFreqButton",
                "fifthFreqButton"]
FORK_PLACEHOLDERS = ["D4", "B3", "G3", "D3", "G4"]
NOTE_OUTLETS = ["firstString", "secondString", "thirdString", "fourthString", "fifthString"]
ORDINALS = ["1st", "2nd", "3rd", "4th", "5th"]
SIBLINGS = [
    ("openGuitarTuner:", "Guitar Tuner"), ("openUkuleleTuner:", "Ukulele Tuner"),
    ("openMandolinTuner:", "Mandolin Tuner"), ("openViolinTuner:", "Violin Tuner"),
    ("openCelloTuner:", "Cello Tuner"), ("openBassTuner:", "Bass Tuner"),
    ("openBouzoukiTuner:", "Bouzouki Tuner"), ("openBalalaikaTuner:", "Balalaika Tuner"),
    ("openMetronomeLite:", "Metronome Lite"), ("openMetronomePro:", "Metronome Pro"),
    ("openChordBookLite:", "ChordBook Lite"), ("openChordBookPro:", "ChordBook Pro"),
]
# Every control's accessible name and tooltip (translated in the MainScreen context); the tooltip
# names the key that does the same. The sibling buttons' names are their own titles.
HELP = {
    "showPreviousTuningButton": ("Previous tuning", "Previous tuning (Left arrow)"),
    "showNextTuningButton": ("Next tuning", "Next tuning (Right arrow)"),
    "stopButton": ("Stop the reference tone", "Stop the reference tone (Space or Escape)"),
    "makerSiteButton": ("Vornhalt Labs web site", "Open the Vornhalt Labs web site"),
    "reviewButton": ("Rate Strumwise", "Rate Strumwise in the store"),
}
for _number, (_outlet, _ordinal) in enumerate(zip(FORK_OUTLETS, ORDINALS), 1):
    HELP[_outlet] = (f"Reference tone of the {_ordinal} string",
                     f"Play the reference tone of the {_ordinal} string (key {_number})")
for _action, _title in SIBLINGS:
    HELP[_action[:-1] + "Button"] = (_title, "Open its page in the store")

INDICATORS = ["tunedString", "tunedString5", "tunedStringiPad"]
LAMPS = ["LEDDisplay", "LEDDisplay128"]


class Ui:
    """A tiny writer for Qt Designer's XML."""

    def __init__(self):
        self.lines = []
        self.depth = 0
        self.counter = 0

    def out(self, text):
        self.lines.append(" " * self.depth + text)

    def open(self, text):
        self.out(text)
        self.depth += 1

    def close(self, text):
        self.depth -= 1
        self.out(text)

    def unique(self, stem):
        self.counter += 1
        return f"{stem}_{self.counter}"

    # Properties -------------------------------------------------------------------------
    def string(self, name, value, translate=True, stdset=True):
        notr = "" if translate else ' notr="true"'
        std = "" if stdset else ' stdset="0"'
        self.out(f'<property name="{name}"{std}><string{notr}>{escape(value)}</string></property>')

    def role(self, value):
        self.string("role", value, translate=False, stdset=False)

    def number(self, name, value):
        self.out(f'<property name="{name}"><number>{value}</number></property>')

    def boolean(self, name, value):
        self.out(f'<property name="{name}"><bool>{"true" if value else "false"}</bool></property>')

    def enum(self, name, value):
        self.out(f'<property name="{name}"><enum>{value}</enum></property>')

    def set(self, name, value):
        self.out(f'<property name="{name}"><set>{value}</set></property>')

    def size(self, name, width, height):
        self.out(f'<property name="{name}"><size><width>{width}</width>'
                 f'<height>{height}</height></size></property>')

    def policy(self, horizontal, vertical, hstretch=0, vstretch=0):
        self.out(f'<property name="sizePolicy"><sizepolicy hsizetype="{horizontal}" '
                 f'vsizetype="{vertical}"><horstretch>{hstretch}</horstretch>'
                 f'<verstretch>{vstretch}</verstretch></sizepolicy></property>')

    # Layouts ----------------------------------------------------------------------------
    def layout(self, kind, margins=0, spacing=6):
        self.open(f'<layout class="{kind}" name="{self.unique("layout")}">')
        self.number("spacing", spacing)
        for side in ("leftMargin", "topMargin", "rightMargin", "bottomMargin"):
            self.number(side, margins)

    def end_layout(self):
        self.close("</layout>")

    def item(self, row=None, column=None):
        where = "" if row is None else f' row="{row}" column="{column}"'
        self.open(f"<item{where}>")

    def end_item(self):
        self.close("</item>")

    def spacer(self, vertical=True, size=0):
        self.item()
        self.open(f'<spacer name="{self.unique("spacer")}">')
        self.enum("orientation", "Qt::Vertical" if vertical else "Qt::Horizontal")
        self.size("sizeHint", 0 if vertical else size, size if vertical else 0)
        self.close("</spacer>")
        self.end_item()

    # Widgets ----------------------------------------------------------------------------
    def widget(self, cls, name):
        self.open(f'<widget class="{cls}" name="{name}">')

    def end_widget(self):
        self.close("</widget>")

    def label(self, name, text="", role=None, translate=False, align="Qt::AlignCenter",
              wrap=False, item=True, lock_string=None):
        if item:
            self.item()
        self.widget("QLabel", name)
        self.string("text", text, translate=translate)
        self.set("alignment", align)
        if wrap:
            self.boolean("wordWrap", True)
        if role:
            self.role(role)
        if lock_string:
            # A touch on a string's caption or note locks the tuner to that string.
            self.out(f'<property name="lockString" stdset="0"><number>{lock_string}</number></property>')
        self.end_widget()
        if item:
            self.end_item()

    def banner(self, name, margins):
        """A strip that the platform shows only while it has something to say."""
        self.item()
        self.widget("QLabel", name)
        self.string("text", "", translate=False)
        self.set("alignment", "Qt::AlignCenter")
        # No height while empty: the platform lifts the limit when it shows a text.
        self.size("maximumSize", 16777215, 0)
        self.out('<property name="collapsesWhenEmpty" stdset="0"><bool>true</bool></property>')
        self.out(f'<property name="margin"><number>{margins}</number></property>')
        self.role("banner")
        self.end_widget()
        self.end_item()

    def button(self, name, text, action=None, role=None, translate=True, height=None,
               item=True, expanding=False):
        if item:
            self.item()
        self.widget("QPushButton", name)
        self.string("text", text, translate=translate)
        if action:
            self.string("action", action, translate=False, stdset=False)
        if role:
            self.role(role)
        # Controls take focus from the keyboard only, so that a click leaves Space and the
        # arrows to the shortcuts.
        self.enum("focusPolicy", "Qt::TabFocus" if action else "Qt::NoFocus")
        if name in HELP:
            self.string("accessibleName", HELP[name][0])
            self.string("toolTip", HELP[name][1])
        self.out('<property name="cursor"><cursorShape>PointingHandCursor</cursorShape></property>')
        if height:
            self.size("minimumSize", 0, height)
        if expanding:
            # Shares the row equally whatever the title's length in any language.
            self.policy("Ignored", "Fixed")
        self.end_widget()
        if item:
            self.end_item()

    def image(self, name, min_w, min_h, hidden_size=False, stretch=0, expanding=True,
              fixed_height=False, picture=None):
        self.item()
        self.widget("ImageView", name)
        if picture:
            # Shown from the start, before the tuner first draws on the view.
            self.string("picture", picture, translate=False, stdset=False)
        if hidden_size:
            # Present so that the outlet is connected, but this layout shows another view.
            self.size("maximumSize", 0, 0)
        elif fixed_height:
            # As wide as the column, as tall as the picture's proportions want.
            self.size("minimumSize", min_w, min_h)
            self.size("maximumSize", 16777215, min_h)
            self.policy("Expanding", "Fixed")
        else:
            self.size("minimumSize", min_w, min_h)
            if expanding:
                self.policy("Expanding", "Expanding", stretch, stretch)
            else:
                self.size("maximumSize", min_w, min_h)
        self.end_widget()
        self.end_item()

    def panel(self, name, kind="QVBoxLayout", margins=10, spacing=6, stretch=0, width=None):
        self.item()
        self.widget("QFrame", name)
        self.role("panel")
        if width:
            self.size("minimumSize", width, 0)
            self.size("maximumSize", width, 16777215)
        if stretch:
            self.policy("Preferred", "Preferred", 0, stretch)
        self.layout(kind, margins, spacing)

    def end_panel(self):
        self.end_layout()
        self.end_widget()
        self.end_item()


def stylesheet(m):
    """The type sizes of one layout; colours and shapes live in main_screen.qss."""
    # Pills, not circles: a radius wider than half a narrow button would square it off.
    radius = min(m["forkHeight"], 40) // 2
    return "\n".join([
        # Every view has a type size of its own (the least specific rule, so any other wins):
        # style sheets do not hand a size down to children, and a size in pixels scales with
        # the window.
        f"* {{ font-size: {m['base']}px; }}",
        f"QWidget#MainScreen {{ font-size: {m['base']}px; }}",
        f"QLabel#currentTuningName {{ font-size: {m['title']}px; }}",
        f"QLabel#noteDisplay {{ font-size: {m['note']}px; }}",
        f"QLabel#freq_label {{ font-size: {m['freq']}px; }}",
        f"QLabel[role=\"stringNote\"] {{ font-size: {m['stringNote']}px; }}",
        f"QLabel[role=\"caption\"] {{ font-size: {m['caption']}px; }}",
        f"QLabel[role=\"banner\"] {{ font-size: {m['base']}px; }}",
        f"QLabel#tfnoteDisplay, QLabel#tfFreqLabel {{ font-size: {m['base']}px; }}",
        f"QPushButton[role=\"fork\"] {{ font-size: {m['fork']}px; min-height: {m['forkHeight']}px; "
        f"border-radius: {radius}px; }}",
        f"QPushButton[role=\"stop\"] {{ font-size: {m['caption']}px; min-height: {m['forkHeight']}px; "
        f"border-radius: {radius}px; }}",
        f"QPushButton[role=\"arrow\"] {{ font-size: {m['title']}px; min-width: {m['arrow']}px; "
        f"max-width: {m['arrow']}px; min-height: {m['arrow']}px; max-height: {m['arrow']}px; "
        f"border-radius: {m['arrow'] // 2}px; }}",
        f"QLabel[role=\"about\"] {{ font-size: {m['about']}px; }}",
        f"QPushButton[role=\"link\"] {{ font-size: {m['about']}px; }}",
        f"QPushButton[role=\"sibling\"] {{ font-size: {m['sibling']}px; }}",
        f"QTabBar::tab {{ width: {m['tab']}px; font-size: {m['base']}px; }}",
    ])


NARROWEST = {"iPhone12Pro": 390, "iPhone12ProMax": 428}


def metrics(idiom, width, height, narrowest):
    if idiom == "phone":
        s = narrowest / 375.0
        tall = height >= 800
        return {
            "base": round(14 * s), "title": round(19 * s), "note": round((58 if tall else 40 if height == 480 else 46) * s),
            "freq": round((26 if tall else 22) * s), "stringNote": round(17 * s),
            "caption": round(11 * s), "fork": round(16 * s),
            "forkHeight": round((46 if tall else 38) * s), "arrow": round(36 * s),
            "about": round(14 * s), "sibling": round(12.5 * s), "tab": narrowest // 3 - 4,
            "margins": round(10 * s), "spacing": round((10 if tall else 6) * s), "tall": tall,
            # 667 and 736 point phones show the pads' wider charts.
            # The shortest phone's chart gives up a little of its height to the meter's last
            # seconds.
            "chart": round((width - 2 * round(10 * s)) *
                           (330 / 1200 if height in (667, 736) else 0.18 if height == 480
                            else 270 / 720)),
            "lamp": 64 if tall else 48, "meter": round((60 if tall else 48) * s),
            # The meter's last seconds under it; the shortest phone has the least room to give.
            "history": round((48 if tall else 36 if height == 480 else 52) * s),
            # The shortest phone gives its picture's height to the meter, which leads.
            "picture": (88 if height == 480 else round((height - 480) * 0.4 + 110)) if not tall
            else round(height * 0.22),
        }
    s = width / 768.0
    return {
        "base": round(17 * s), "title": round(28 * s), "note": round(88 * s),
        "freq": round(32 * s), "stringNote": round(24 * s), "caption": round(14 * s),
        "fork": round(22 * s), "forkHeight": round(60 * s), "arrow": round(52 * s),
        "about": round(17 * s), "sibling": round(15 * s), "tab": 0, "tall": True, "margins": round(18 * s), "spacing": round(14 * s),
        "chart": round(width * 0.6 * 330 / 1200), "lamp": 112, "picture": round(height * 0.3),
        "meter": round(84 * s), "history": round(96 * s),
        # The tuner's column keeps one width, whatever its texts say.
        "tunerWidth": round(width * 0.43),
    }


def browser_row(ui, m):
    ui.item()
    ui.layout("QHBoxLayout", 0, m["spacing"])
    ui.button("showPreviousTuningButton", "\u25c0", "showPreviousTuning:", "arrow", translate=False)
    # A long title ("Open G (gDGBD), capo 2, 5th at 7") takes two lines rather than losing its ends.
    ui.label("currentTuningName", "Open G (gDGBD)", wrap=True)
    ui.button("showNextTuningButton", "\u25b6", "showNextTuning:", "arrow", translate=False)
    ui.end_layout()
    ui.end_item()


def notes_row(ui, m):
    ui.panel("notesPanel", "QHBoxLayout", round(m["margins"] * 0.6), m["spacing"])
    for string, (ordinal, outlet, placeholder) in enumerate(
            zip(ORDINALS, NOTE_OUTLETS, FORK_PLACEHOLDERS), 1):
        ui.item()
        ui.layout("QVBoxLayout", 0, 0)
        ui.label(ui.unique("caption"), ordinal, "caption", translate=True, lock_string=string)
        ui.label(outlet, placeholder, "stringNote", lock_string=string)
        ui.end_layout()
        ui.end_item()
    ui.end_panel()


def lamps(ui, m, shown):
    for lamp in LAMPS:
        if lamp == shown:
            # Unlit until the tuner hears something, so a lamp is there from the first moment.
            ui.image(lamp, m["lamp"], m["lamp"], expanding=False,
                     picture="yellow128.png" if lamp == "LEDDisplay128" else "yellow64.png")
        else:
            ui.image(lamp, 0, 0, hidden_size=True)


def indicators(ui, m, shown, min_w):
    for view in INDICATORS:
        if view == shown:
            ui.image(view, min_w, m["picture"], stretch=1)
        else:
            ui.image(view, 0, 0, hidden_size=True)


def fork_panel(ui, m):
    ui.panel("forkPanel", "QVBoxLayout", round(m["margins"] * 0.8), m["spacing"])
    ui.item()
    ui.layout("QHBoxLayout", 0, round(m["spacing"] * 0.4))
    ui.button("tuningForkButton", "Reference tones", role="header", item=True)
    ui.spacer(vertical=False)
    # The playing fork's note and frequency, in the header's type beside the longest translation
    # of its title, keep the room of their longest texts ("G4", "146.8Hz", in bold) and take the
    # header's height, shown or cleared, so that the header and the buttons under it never move;
    # they read together, the note against the frequency.
    for name, width, align in (("tfnoteDisplay", round(m["base"] * 1.6), "Qt::AlignRight"),
                               ("tfFreqLabel", round(m["base"] * 4.7), "Qt::AlignLeft")):
        ui.item()
        ui.widget("QLabel", name)
        ui.string("text", "", translate=False)
        ui.set("alignment", align + "|Qt::AlignVCenter")
        ui.size("minimumSize", width, 0)
        ui.size("maximumSize", width, 16777215)
        ui.policy("Fixed", "Ignored")
        ui.role("playing")
        ui.end_widget()
        ui.end_item()
    ui.end_layout()
    ui.end_item()
    ui.item()
    ui.layout("QHBoxLayout", 0, round(m["spacing"] * 0.8))
    for outlet, action, placeholder in zip(FORK_OUTLETS, FORK_ACTIONS, FORK_PLACEHOLDERS):
        ui.button(outlet, placeholder, action, "fork", translate=False, expanding=True)
    # Never narrower than its title: the forks' note names are short, "Stop" is not in every
    # language.
    ui.button("stopButton", "Stop", "stopFreqPlay:", "stop")
    ui.end_layout()
    ui.end_item()
    ui.end_panel()


def tuner_panel_stacked(ui, m, indicator, lamp, picture_width, stretch):
    """Lamp, note and frequency in a row above a large picture: tall screens and pads."""
    ui.panel("tunerPanel", "QVBoxLayout", m["margins"], m["spacing"], stretch=stretch,
             width=m.get("tunerWidth"))
    ui.item()
    ui.layout("QHBoxLayout", 0, m["spacing"])
    lamps(ui, m, lamp)
    ui.item()
    ui.layout("QVBoxLayout", 0, 0)
    ui.label(ui.unique("hint"), "Pluck a string", "caption", translate=True,
             align="Qt::AlignLeft|Qt::AlignVCenter", wrap=True)
    reading_labels(ui, m, "QVBoxLayout")
    ui.end_layout()
    ui.end_item()
    ui.end_layout()
    ui.end_item()
    meters(ui, m)
    reading_history(ui, m)
    indicators(ui, without_meters(m), indicator, picture_width)
    ui.end_panel()


def reading_labels(ui, m, box):
    """The note and the frequency. Beside the picture each is as wide as its longest text ("G3",
    "198.4Hz"), so that a text of another length moves nothing around it; stacked, the column
    they share keeps its width."""
    ui.item()
    ui.layout(box, 0, 0 if box == "QVBoxLayout" else m["spacing"])
    for name, width in (("noteDisplay", round(m["note"] * 1.7)),
                        ("freq_label", round(m["freq"] * 4.9))):
        ui.item()
        ui.widget("QLabel", name)
        ui.string("text", "", translate=False)
        ui.set("alignment", "Qt::AlignLeft|Qt::AlignVCenter")
        if box == "QHBoxLayout":
            ui.size("minimumSize", width, 0)
            ui.size("maximumSize", width, 16777215)
        ui.end_widget()
        ui.end_item()
    ui.end_layout()
    ui.end_item()


def tuner_panel_phone(ui, m, indicator, stretch):
    """Lamp, level, note and frequency beside the picture, and the meter across the panel under
    them: short screens."""
    ui.panel("tunerPanel", "QVBoxLayout", m["margins"], round(m["spacing"] * 0.5),
             stretch=stretch)
    ui.item()
    ui.layout("QHBoxLayout", 0, m["spacing"])
    ui.item()
    ui.layout("QVBoxLayout", 0, round(m["spacing"] * 0.5))
    ui.item()
    ui.layout("QHBoxLayout", 0, m["spacing"])
    lamps(ui, m, "LEDDisplay")
    # Short screens have no height to spare: the level meter shares the lamp's row, and the note
    # and the frequency share one.
    ui.item()
    ui.layout("QVBoxLayout", 0, round(m["spacing"] * 0.5))
    ui.label(ui.unique("hint"), "Pluck a string", "caption", translate=True,
             align="Qt::AlignLeft|Qt::AlignVCenter", wrap=True)
    # The picture beside takes all the width it is given; the meters hold their own.
    meter(ui, m, "LevelMeter", "levelMeter", round(m["note"] * 2.5))
    ui.end_layout()
    ui.end_item()
    ui.end_layout()
    ui.end_item()
    ui.spacer()
    reading_labels(ui, m, "QHBoxLayout")
    ui.spacer()
    ui.end_layout()
    ui.end_item()
    # The picture beside gives up the room the picture of the last seconds takes under the meter.
    shorter = dict(m, picture=max(60, m["picture"] - m["history"] - m["spacing"]))
    indicators(ui, shorter, indicator, round(m["picture"] * 0.6))
    ui.end_layout()
    ui.end_item()
    meter(ui, m, "TuningMeter", "tuningMeter")
    reading_history(ui, m)
    ui.end_panel()


def meter_heights(m):
    """The tuning meter's and the level meter's heights. The tuning meter leads: tall enough for
    its text to be read at arm's length (the meter writes at least 18 px)."""
    if m["tall"]:
        return m["meter"], round(m["caption"] * 0.9)
    return m["meter"], round(m["caption"] * 0.7)


METER_NAMES = {"TuningMeter": "Tuning meter", "LevelMeter": "Level"}


def meter(ui, m, cls, name, min_width=0):
    height = meter_heights(m)[0 if cls == "TuningMeter" else 1]
    ui.item()
    ui.widget(cls, name)
    # Until the meter first draws a reading, which it then names itself.
    ui.string("accessibleName", METER_NAMES[cls])
    ui.size("minimumSize", min_width, height)
    ui.size("maximumSize", 16777215, height)
    ui.policy("Expanding", "Fixed")
    ui.end_widget()
    ui.end_item()


def meters(ui, m):
    """The tuning meter and, under it, the input level meter."""
    meter(ui, m, "TuningMeter", "tuningMeter")
    meter(ui, m, "LevelMeter", "levelMeter")


def reading_history(ui, m):
    """The meter's readings of the last seconds as a line, under the meter, across the panel."""
    ui.item()
    ui.widget("ReadingHistory", "readingHistory")
    # Until the picture first says its trend.
    ui.string("accessibleName", "Recent readings")
    ui.size("minimumSize", 0, m["history"])
    ui.size("maximumSize", 16777215, m["history"])
    ui.policy("Expanding", "Fixed")
    ui.end_widget()
    ui.end_item()


def without_meters(m):
    """The metrics with the picture shortened by the room the meters and the picture of the last
    seconds take above it."""
    taken = sum(meter_heights(m)) + m["history"] + 3 * m["spacing"]
    return dict(m, picture=max(52, m["picture"] - taken))


def custom_widgets(ui):
    ui.open("<customwidgets>")
    for cls in ("ImageView", "TuningMeter", "LevelMeter", "ReadingHistory"):
        ui.open("<customwidget>")
        ui.out(f"<class>{cls}</class>")
        ui.out("<extends>QWidget</extends>")
        header = {"ImageView": "qt_image_view_widget.h",
                  "ReadingHistory": "qt_reading_history.h"}.get(cls, "qt_meter_widgets.h")
        ui.out(f"<header>adapters/desktop/views/{header}</header>")
        ui.close("</customwidget>")
    ui.close("</customwidgets>")


def about_texts(ui):
    ui.label("aboutCongratsMessage", "", "about", align="Qt::AlignLeft|Qt::AlignTop", wrap=True)
    ui.label("aboutMsg2", "", "about", align="Qt::AlignLeft|Qt::AlignTop", wrap=True)


def settings_area(ui):
    """Where the platform puts the player's settings: its own page on phones, under the about
    texts on pads."""
    ui.item()
    ui.widget("QWidget", "settingsArea")
    ui.layout("QVBoxLayout", 0, 0)
    ui.end_layout()
    ui.end_widget()
    ui.end_item()


def links(ui, m, columns):
    ui.item()
    ui.layout("QHBoxLayout", 0, m["spacing"])
    ui.button("makerSiteButton", "Vornhalt Labs", "redirectToVornhaltLabs:", "link",
              translate=False, expanding=True)
    ui.button("reviewButton", "Rate Strumwise", "reviewStrumwise:", "link", expanding=True)
    ui.end_layout()
    ui.end_item()
    ui.label(ui.unique("caption"), "More from Vornhalt Labs", "caption", translate=True,
             align="Qt::AlignLeft|Qt::AlignVCenter")
    ui.item()
    ui.layout("QGridLayout", 0, round(m["spacing"] * 0.6))
    for index, (action, title) in enumerate(SIBLINGS):
        ui.item(index // columns, index % columns)
        name = action[:-1] + "Button"
        ui.button(name, title, action, "sibling", item=False, expanding=True)
        ui.end_item()
    ui.end_layout()
    ui.end_item()


def phone(ui, m, indicator):
    ui.item()
    ui.widget("QTabWidget", "pages")
    ui.enum("tabPosition", "QTabWidget::South")
    ui.number("currentIndex", 0)
    ui.boolean("documentMode", True)
    ui.boolean("usesScrollButtons", False)

    ui.widget("QWidget", "tunerPage")
    ui.out('<attribute name="title"><string>Tuner</string></attribute>')
    ui.out('<attribute name="toolTip"><string>The tuner: pluck a string, or play a reference tone'
           '</string></attribute>')
    ui.layout("QVBoxLayout", m["margins"], m["spacing"])
    browser_row(ui, m)
    ui.image("chartDisplay", 0, m["chart"], fixed_height=True)
    notes_row(ui, m)
    if m["tall"]:
        tuner_panel_stacked(ui, m, indicator, "LEDDisplay", round(m["picture"] * 0.6), 1)
    else:
        tuner_panel_phone(ui, m, indicator, stretch=1)
    fork_panel(ui, m)
    ui.end_layout()
    ui.end_widget()

    ui.widget("QWidget", "settingsPage")
    ui.out('<attribute name="title"><string>Settings</string></attribute>')
    ui.out('<attribute name="toolTip"><string>The reference pitch, the tunings, a capo and the '
           'string lock</string></attribute>')
    ui.layout("QVBoxLayout", m["margins"], m["spacing"])
    settings_area(ui)
    ui.end_layout()
    ui.end_widget()

    ui.widget("QWidget", "aboutPage")
    ui.out('<attribute name="title"><string>About</string></attribute>')
    ui.out('<attribute name="toolTip"><string>About Strumwise, the sound settings and more '
           'applications</string></attribute>')
    ui.layout("QVBoxLayout", m["margins"] * 2, m["spacing"] * 2)
    ui.label(ui.unique("productName"), "Strumwise", "product", translate=False)
    ui.label(ui.unique("tagline"), "A tuner for the five-string banjo", "caption",
             translate=True)
    about_texts(ui)
    ui.spacer()
    links(ui, m, 2)
    ui.end_layout()
    ui.end_widget()

    ui.end_widget()
    ui.end_item()


def pad(ui, m, indicator, width):
    browser_row(ui, m)
    ui.item()
    ui.layout("QHBoxLayout", 0, m["spacing"] * 2)
    # Left: chart, notes and reference tones.
    ui.item()
    ui.layout("QVBoxLayout", 0, m["spacing"])
    chart_width = round(width * 0.55)
    ui.image("chartDisplay", 0, round(chart_width * 330 / 1200), fixed_height=True)
    notes_row(ui, m)
    fork_panel(ui, m)
    ui.panel("aboutPanel", "QVBoxLayout", m["margins"], m["spacing"], stretch=1)
    about_texts(ui)
    settings_area(ui)
    ui.spacer()
    ui.end_panel()
    ui.end_layout()
    ui.end_item()
    # Right: the tuner.
    tuner_panel_stacked(ui, m, indicator, "LEDDisplay128", round(width * 0.25), 1)
    ui.end_layout()
    ui.end_item()
    # Bottom: links.
    ui.panel("linksPanel", "QVBoxLayout", m["margins"], m["spacing"])
    # Three columns leave room for the longer sibling titles ("Afinador de violonchelo").
    links(ui, m, 3)
    ui.end_panel()


def generate(name, idiom, width, height, indicator):
    m = metrics(idiom, width, height, NARROWEST.get(name, width))
    ui = Ui()
    ui.out('<?xml version="1.0" encoding="UTF-8"?>')
    ui.out(f"<!-- Generated by generate_layouts.py: the main screen for {name}, "
           f"{width} x {height} points. -->")
    ui.open('<ui version="4.0">')
    ui.out("<class>MainScreen</class>")
    ui.widget("QWidget", "MainScreen")
    ui.out(f'<property name="geometry"><rect><x>0</x><y>0</y><width>{width}</width>'
           f'<height>{height}</height></rect></property>')
    ui.string("styleSheet", stylesheet(m), translate=False)
    # The audio status banner tops every layout, above the pages, so it shows on each of them.
    if idiom == "phone":
        ui.layout("QVBoxLayout", 0, 0)
        ui.banner("audioStatusLabel", round(m["margins"] * 0.6))
        phone(ui, m, indicator)
    else:
        ui.layout("QVBoxLayout", m["margins"], m["spacing"])
        ui.banner("audioStatusLabel", round(m["margins"] * 0.6))
        pad(ui, m, indicator, width)
    ui.end_layout()
    ui.end_widget()
    custom_widgets(ui)
    ui.out("<resources/>")
    ui.out("<connections/>")
    ui.close("</ui>")
    path = os.path.join(HERE, f"Main_{name}.ui")
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(line for line in ui.lines if line.strip()) + "\n")


if __name__ == "__main__":
    for row in CLASSES:
        generate(*row)
