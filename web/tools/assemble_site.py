#!/usr/bin/env python3
"""Assembles the web edition's static site.

The page shell, worklets, manifest and service worker come from web/; the thirteen layouts are
converted from the same .ui files the desktop loads (and their shared style sheet from
main_screen.qss), so both editions show the same controls with the same names, texts and
pictures; the translations come from the desktop's .ts sources; the pictures and the icon are the
artwork program's PNGs. Every file but the page, the manifest and the service worker is named
after its contents (asset_names.py), and every file is listed for the service worker to cache.
"""

import argparse
import hashlib
import html
import json
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

import asset_names

LAYOUT_KINDS = {"QVBoxLayout": "column", "QHBoxLayout": "row", "QGridLayout": "grid"}


def prop(element, name):
    """The value element of property `name`, or None."""
    for p in element.findall("property"):
        if p.get("name") == name:
            return p[0] if len(p) else None
    return None


def size(element, name):
    value = prop(element, name)
    if value is None:
        return None
    return int(value.find("width").text), int(value.find("height").text)


def text_of(element, name):
    value = prop(element, name)
    if value is None or value.tag != "string":
        return None, False
    return value.text or "", value.get("notr") != "true"


def stem(name):
    """The kind of an unnamed view ("hint" for "hint_12"), which the page's style sheet places."""
    match = re.fullmatch(r"([A-Za-z]+)_\d+", name or "")
    return match.group(1) if match else None


def names_its_text(label, text):
    """Whether an accessible name contains what the control shows, as speech input needs.

    A text of symbols only (an arrow) is no word to say, so any name does."""
    return not re.search(r"\w", text) or text.lower() in label.lower()


class Converter:
    """Writes one layout's widget tree as HTML elements in the order the .ui file has them.

    The controls keep their names, roles, texts and pictures; where they go on the screen is the
    page's style sheet's business (page.css), which lays them out for the viewport the browser
    has, so none of the .ui file's sizes, margins or spacers are carried over."""

    def __init__(self):
        self.out = []

    def attrs(self, **values):
        return "".join(f' {k.rstrip("_").replace("_", "-")}="{html.escape(str(v))}"'
                       for k, v in values.items() if v is not None)

    def layout(self, layout, own_element=True):
        kind = LAYOUT_KINDS[layout.get("class")]
        if own_element:
            style = None
            if kind == "grid":
                columns = 1 + max(int(item.get("column", 0)) for item in layout.findall("item"))
                style = f"--columns:{columns}"
            self.out.append(f'<div{self.attrs(class_="layout " + kind, style=style)}>')
        for item in layout.findall("item"):
            for child in item:
                if child.tag == "widget":
                    self.widget(child)
                elif child.tag == "layout":
                    self.layout(child)
        if own_element:
            self.out.append("</div>")

    def widget(self, widget):
        cls, name = widget.get("class"), widget.get("name")
        role, _ = text_of(widget, "role")
        common = dict(id=name, data_role=role, data_name=stem(name))
        if cls == "QLabel":
            text, translate = text_of(widget, "text")
            align = prop(widget, "alignment").text
            classes = "QLabel" + (" left" if "AlignLeft" in align else "") + (
                " right" if "AlignRight" in align else "") + (
                " wrap" if prop(widget, "wordWrap") is not None else "")
            # A string's caption and note lock the tuner to that string when touched (layout.js).
            lock = prop(widget, "lockString")
            self.out.append(f'<div{self.attrs(class_=classes, data_tr=text if translate else None, data_lock_string=lock.text if lock is not None else None, **common)}>'
                            f"{html.escape(text)}</div>")
        elif cls == "QPushButton":
            self.button(widget, common)
        elif cls == "ImageView":
            hidden = size(widget, "maximumSize") == (0, 0)
            # Pictures say nothing of their own until the page describes the one it shows; a
            # layout's own picture is shown until the tuner draws on it.
            picture, _ = text_of(widget, "picture")
            self.out.append(f'<img{self.attrs(class_="ImageView" + (" absent" if hidden else ""), alt="", src=picture and "images/" + picture, **common)}>')
        elif cls in ("TuningMeter", "LevelMeter"):
            # The page draws the meters' insides (meters.js), and names each by its reading, as a
            # picture of it would be named.
            self.out.append(f'<div{self.attrs(class_=cls, role="img", **common)}></div>')
        elif cls == "ReadingHistory":
            # The page draws the meter's last seconds on a canvas (history.js), named by their
            # trend; until then by the layout's own name.
            label, translate = text_of(widget, "accessibleName")
            self.out.append(f'<canvas{self.attrs(class_=cls, role="img", aria_label=label, data_tr_aria_label=label if translate else None, **common)}></canvas>')
        elif cls == "QTabWidget":
            self.tabs(widget, common)
        else:
            layout = widget.find("layout")
            kind = "" if layout is None else " " + LAYOUT_KINDS[layout.get("class")]
            self.out.append(f'<div{self.attrs(class_=cls + kind, **common)}>')
            if layout is not None:
                self.layout(layout, own_element=False)
            self.out.append("</div>")

    def button(self, widget, common):
        text, translate = text_of(widget, "text")
        action, _ = text_of(widget, "action")
        if not action:
            # A button that does nothing would be a dead stop for the keyboard: it is the title
            # of the controls that follow it.
            self.out.append(f'<h2{self.attrs(class_="QPushButton", data_tr=text if translate else None, **common)}>'
                            f"{html.escape(text)}</h2>")
            return
        # The tooltip, and the name screen readers say, in English here; the page translates
        # them as it does the text. A name that leaves out what the button shows becomes its
        # description, so that the shown text ("D4") is what names it.
        tip, translate_tip = text_of(widget, "toolTip")
        label, translate_label = text_of(widget, "accessibleName")
        kind = "label" if label is None or names_its_text(label, text) else "description"
        extra = {f"aria_{kind}": label, f"data_tr_aria_{kind}": label if translate_label else None}
        self.out.append(f'<button{self.attrs(class_="QPushButton", data_action=action, data_tr=text if translate else None, title=tip, data_tr_title=tip if translate_tip else None, **extra, **common)}>'
                        f"{html.escape(text)}</button>")

    def tabs(self, widget, common):
        pages = widget.findall("widget")
        self.out.append(f'<div{self.attrs(class_="QTabWidget", **common)}>')
        for index, page in enumerate(pages):
            layout = page.find("layout")
            shown = "" if index == 0 else " hiddenPage"
            self.out.append(f'<div class="page {LAYOUT_KINDS[layout.get("class")]}{shown}" id="{page.get("name")}">')
            self.layout(layout, own_element=False)
            self.out.append("</div>")
        self.out.append('<nav class="tabbar">')
        for index, page in enumerate(pages):
            title = page.find("attribute[@name='title']/string").text
            tip = page.find("attribute[@name='toolTip']/string")
            tip = "" if tip is None else (f' title="{html.escape(tip.text)}" '
                                          f'data-tr-title="{html.escape(tip.text)}"')
            selected = " selected" if index == 0 else ""
            self.out.append(f'<button class="tab{selected}" data-page="{page.get("name")}"{tip} '
                            f'data-tr="{html.escape(title)}">{html.escape(title)}</button>')
        self.out.append("</nav></div>")


def qss_to_css(qss):
    """The desktop's Qt style sheet as CSS for the page, scoped to the layouts' roots."""
    def gradient(match):
        stops = re.findall(r"stop:\s*([\d.]+)\s+(#[0-9a-fA-F]+)", match.group(0))
        return "linear-gradient(" + ", ".join(f"{c} {float(s) * 100:g}%" for s, c in stops) + ")"

    def rgba(match):
        r, g, b, a = (int(v) for v in match.groups())
        return f"rgba({r}, {g}, {b}, {a / 255:.3f})"

    qss = re.sub(r"/\*.*?\*/", "", qss, flags=re.S)
    css = re.sub(r"qlineargradient\([^)]*\)", gradient, qss)
    css = re.sub(r"rgba\((\d+),\s*(\d+),\s*(\d+),\s*(\d+)\)", rgba, css)
    css = css.replace("QTabWidget::pane", ".QTabWidget .page").replace("QTabBar::tab:selected", ".tab.selected")
    css = css.replace("QTabBar::tab", ".tab").replace("QTabBar", ".tabbar")
    css = css.replace(":pressed", ":active")
    css = re.sub(r"\[role=", "[data-role=", css)
    css = re.sub(r"\b(QWidget|QLabel|QPushButton|QFrame)(?=[#\[:\s,{.])", r".\1", css)
    # Every rule applies inside a layout only.
    rules = []
    for selectors, body in re.findall(r"([^{}]+)\{([^}]*)\}", css):
        scoped = ", ".join(f".layoutRoot {s.strip()}" for s in selectors.split(",") if s.strip())
        rules.append(f"{scoped} {{{body}}}")
    return "\n".join(rules)


def convert_layout(path):
    root = ET.parse(path).getroot()
    screen = root.find("widget")
    name = os.path.splitext(os.path.basename(path))[0]
    converter = Converter()
    converter.widget(screen)
    geometry = prop(screen, "geometry")
    width = int(geometry.find("width").text)
    height = int(geometry.find("height").text)
    return name, "".join(converter.out), width, height


def translations(folder):
    tables = {}
    for language in ("en", "es"):
        tree = ET.parse(os.path.join(folder, f"strumwise_{language}.ts"))
        table = {}
        for context in tree.getroot().findall("context"):
            entries = table.setdefault(context.find("name").text, {})
            for message in context.findall("message"):
                translation = message.find("translation")
                if translation is not None and translation.text and translation.get("type") != "unfinished":
                    entries[message.find("source").text] = translation.text
        tables[language] = table
    return tables


def shrink_pictures(names):
    """Re-encodes the pictures with a palette of at most 256 colours.

    The pictures and the icons are most of what a phone downloads on its first visit; with a
    palette they are about a third of the size and look the same at the sizes they are shown. A
    picture that would lose too much, or not get smaller, is kept as it was drawn.
    """
    result = subprocess.run(["pngquant", "--quality", "70-95", "--speed", "3", "--strip",
                             "--skip-if-larger", "--force", "--ext", ".png", *names],
                            check=False)
    # 98: a picture would have grown; 99: one would have lost too much. Both keep that picture.
    if result.returncode not in (0, 98, 99):
        sys.exit(f"assemble-site: pngquant failed with status {result.returncode}")


def stamp_version(site, version):
    """Writes the version into the manifest, where an installed copy can be told apart."""
    path = os.path.join(site, "manifest.webmanifest")
    with open(path, encoding="utf-8") as f:
        manifest = json.load(f)
    manifest["version"] = version
    with open(path, "w", encoding="utf-8") as f:
        json.dump(manifest, f, indent=2, ensure_ascii=False)
        f.write("\n")


def with_version(markup, version):
    """The layout with the version under the about texts' product name, as the desktop shows it."""
    label = f'<div class="QLabel" id="aboutVersion" data-role="about">Version {html.escape(version)}</div>'
    return re.sub(r'(<div class="QLabel[^"]*" id="aboutCongratsMessage")', lambda m: label + m.group(1),
                  markup, count=1)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--source", "--images", "--module", "--tone", "--out", "--version"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    site = args.out
    shutil.rmtree(site, ignore_errors=True)
    os.makedirs(os.path.join(site, "images"))

    web = os.path.join(args.source, "web")
    for name in os.listdir(web):
        if os.path.isfile(os.path.join(web, name)):
            shutil.copy(os.path.join(web, name), site)
    for name in ("strumwise.js", "strumwise.wasm"):
        shutil.copy(os.path.join(args.module, name), site)
    shutil.copy(args.tone, os.path.join(site, "tone.wasm"))
    images = os.path.join(args.images, "images")
    for name in sorted(os.listdir(images)):
        shutil.copy(os.path.join(images, name), os.path.join(site, "images", name))
    shutil.copy(os.path.join(args.images, "icon", "strumwise.png"), os.path.join(site, "icon.png"))
    # The install icons the manifest lists.
    for name in ("icon-192.png", "icon-512.png", "icon-maskable-512.png"):
        shutil.copy(os.path.join(args.images, "icon", name), os.path.join(site, name))
    pictures = os.path.join(site, "images")
    shrink_pictures(sorted(os.path.join(pictures, name) for name in os.listdir(pictures) if name.endswith(".png")) +
                    [os.path.join(site, name) for name in ("icon.png", "icon-192.png", "icon-512.png", "icon-maskable-512.png")])
    stamp_version(site, args.version)

    # Every file but the page's resources (written below, naming the others) gets its hashed
    # name now, so the layouts' pictures can be written with theirs.
    names = asset_names.rename_all(site)

    layouts_dir = os.path.join(args.source, "resources", "layouts")
    with open(os.path.join(layouts_dir, "main_screen.qss"), encoding="utf-8") as f:
        shared_qss = f.read()
    layouts = {}
    for file in sorted(os.listdir(layouts_dir)):
        if file.endswith(".ui"):
            name, markup, width, height = convert_layout(os.path.join(layouts_dir, file))
            markup = asset_names.rewrite_references(with_version(markup, args.version), names)
            layouts[name] = {"html": markup, "width": width, "height": height}
    # The layouts' own type sizes are those of one device each; the page sizes the type for the
    # viewport it has, so only the shared colours and shapes come across.
    with open(os.path.join(site, "layouts.css"), "w", encoding="utf-8") as f:
        f.write(qss_to_css(shared_qss) + "\n")
    names["layouts.css"] = asset_names.rename(site, "layouts.css")
    # The page asks for files by their plain names (host.js looks them up here).
    data = {"assets": names, "layouts": layouts,
            "translations": translations(os.path.join(args.source, "resources", "translations"))}
    with open(os.path.join(site, "resources.js"), "w", encoding="utf-8") as f:
        f.write("self.StrumwiseResources = " + json.dumps(data, ensure_ascii=False) + ";\n")
    names["resources.js"] = asset_names.rename(site, "resources.js")
    asset_names.rewrite_file(os.path.join(site, "index.html"), names)
    asset_names.rewrite_manifest_icons(os.path.join(site, "manifest.webmanifest"), names)

    # The service worker caches every file under a name that changes with the contents, so a new
    # build replaces the old cache as a whole.
    files, digest = [], hashlib.sha256()
    for folder, _, names in sorted(os.walk(site)):
        for name in sorted(names):
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, site)
            if relative == "service-worker.js":
                continue
            files.append(relative)
            with open(path, "rb") as f:
                digest.update(relative.encode() + f.read())
    files.append("./")
    worker = os.path.join(site, "service-worker.js")
    with open(worker, encoding="utf-8") as f:
        text = f.read()
    text = text.replace("__CACHE_NAME__",
                        f"strumwise-{args.version}-" + digest.hexdigest()[:16])
    text = text.replace("__FILES__", json.dumps(files))
    with open(worker, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
