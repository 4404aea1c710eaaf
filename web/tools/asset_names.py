"""Content-hashed file names for the web edition's site.

A file whose name carries a hash of its contents never changes under that name, so a browser may
keep it for good and a new release is fetched only where it differs. The page, the manifest and
the service worker keep their names: they are what a browser checks on every visit, and they name
the hashed files.
"""

import hashlib
import json
import os
import re

# Files whose names stay as they are.
FIXED = {"index.html", "manifest.webmanifest", "service-worker.js"}

HASH_DIGITS = 8


def hashed_name(relative, contents):
    """`host.js` with contents C becomes `host.<first 8 hex digits of sha256(C)>.js`."""
    folder, name = os.path.split(relative)
    stem, extension = os.path.splitext(name)
    digest = hashlib.sha256(contents).hexdigest()[:HASH_DIGITS]
    return os.path.join(folder, f"{stem}.{digest}{extension}")


def rename(site, relative):
    """Renames one file of the site after its contents; answers its new relative name."""
    with open(os.path.join(site, relative), "rb") as f:
        new = hashed_name(relative, f.read())
    os.replace(os.path.join(site, relative), os.path.join(site, new))
    return new


def rename_all(site):
    """Renames every file of the site but the fixed ones; answers {old: new}."""
    names = {}
    for folder, _, files in os.walk(site):
        for name in sorted(files):
            relative = os.path.relpath(os.path.join(folder, name), site)
            if relative not in FIXED:
                names[relative] = rename(site, relative)
    return dict(sorted(names.items()))


def rewrite_references(text, names):
    """Points every src="..." and href="..." that names a renamed file at its new name."""
    return re.sub(r'\b(src|href)="([^"]+)"',
                  lambda m: f'{m.group(1)}="{names.get(m.group(2), m.group(2))}"', text)


def rewrite_file(path, names):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    with open(path, "w", encoding="utf-8") as f:
        f.write(rewrite_references(text, names))


def rewrite_manifest_icons(path, names):
    with open(path, encoding="utf-8") as f:
        manifest = json.load(f)
    for icon in manifest.get("icons", []):
        icon["src"] = names.get(icon["src"], icon["src"])
    with open(path, "w", encoding="utf-8") as f:
        json.dump(manifest, f, indent=2, ensure_ascii=False)
        f.write("\n")
