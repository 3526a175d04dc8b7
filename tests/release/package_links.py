#!/usr/bin/env python3
"""Every reference a document of the package makes to another part of it must
land inside the package: a Markdown link or image (and its #anchor), and a
path written out in the text, such as docs/routines.md in INSTALL.txt or
`contract/edit_data.h` in a Markdown page, whose first folder is one the
package holds.

usage: package_links.py PACKAGE.zip...   prints each dangling reference
"""
import posixpath
import re
import sys
import zipfile

DOCUMENT_ENDINGS = (".md", ".txt")
MARKDOWN_LINK = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
HTML_LINK = re.compile(r"""<(?:a|img)\s[^>]*?(?:href|src)\s*=\s*["']([^"']+)["']""")
EXPLICIT_ANCHOR = re.compile(r"""<a\s[^>]*?(?:id|name)\s*=\s*["']([^"']+)["']""")
HEADING = re.compile(r"^#{1,6}\s+(.+?)\s*#*\s*$", re.MULTILINE)
WRITTEN_PATH = re.compile(r"[A-Za-z0-9_.-]+(?:/[A-Za-z0-9_.-]+)*/?")
FENCE = re.compile(r"^```.*?^```", re.MULTILINE | re.DOTALL)


def heading_anchor(title):
    # The anchor a Markdown renderer gives a heading: lower case, punctuation
    # dropped, spaces made hyphens.
    title = re.sub(r"[`*_]", "", title).strip().lower()
    return re.sub(r"[^\w\- ]", "", title).replace(" ", "-")


def anchors_of(text):
    return set(EXPLICIT_ANCHOR.findall(text)) | {heading_anchor(h) for h in HEADING.findall(text)}


def dangling_references(entries):
    """entries: {path inside the package: bytes}, every path under one top
    folder. Returns 'document: reference' for each one that does not resolve."""
    files = set(entries)
    folders = {posixpath.dirname(p) for p in files}
    for folder in list(folders):
        while folder:
            folder = posixpath.dirname(folder)
            folders.add(folder)
    top = posixpath.commonpath(files) if len(files) > 1 else posixpath.dirname(next(iter(files)))
    first_names = {p[len(top) + 1:].split("/")[0] for p in files}
    texts = {p: entries[p].decode("utf-8") for p in files if p.endswith(DOCUMENT_ENDINGS)}

    def exists(path):
        return path in files or path.rstrip("/") in folders

    found = []
    for document, text in sorted(texts.items()):
        here = posixpath.dirname(document)
        links = MARKDOWN_LINK.findall(text) + HTML_LINK.findall(text) if document.endswith(
            ".md") else []
        for link in links:
            if re.match(r"[a-z][a-z0-9+.-]*:", link):
                continue  # a web address or mail: outside the package by intent
            target, _, anchor = link.partition("#")
            path = posixpath.normpath(posixpath.join(here, target)) if target else document
            if not path.startswith(top + "/") and path != top:
                found.append(f"{document}: {link} leaves the package")
            elif not exists(path):
                found.append(f"{document}: {link} names nothing in the package")
            elif anchor and (path not in texts or anchor not in anchors_of(texts[path])):
                found.append(f"{document}: {link} names no anchor #{anchor}")
        # Paths written out are read from the top of the package; what the
        # package does not begin with (build/, host/) is the source tree's.
        prose = FENCE.sub("", text)
        prose = MARKDOWN_LINK.sub("", prose)
        for written in WRITTEN_PATH.findall(prose):
            written = written.rstrip(".")
            if "/" not in written or written.split("/")[0] not in first_names:
                continue
            if not exists(f"{top}/{written}"):
                found.append(f"{document}: {written} is not in the package")
    return found


def main():
    failures = 0
    for name in sys.argv[1:]:
        with zipfile.ZipFile(name) as archive:
            found = dangling_references({n: archive.read(n) for n in archive.namelist()})
        for line in found:
            print(f"{name}: {line}")
        failures += len(found)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
