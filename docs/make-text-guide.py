#!/usr/bin/env python3
"""Makes the plain-text forms of the player's guide from KRV_Docs/Launcher
guide.htm: the whole guide as "Launcher guide.txt", and its IWAD sections as
"Help/Iwad location.txt", the file the IWAD dialog's hint opens. Run it after
changing the guide and commit what it writes."""

from html.parser import HTMLParser
from pathlib import Path
import textwrap

DOCS = Path(__file__).resolve().parent / "KRV_Docs"
IWAD_SECTIONS = {"iwads", "add-iwad"}
WIDTH = 76


class GuideText(HTMLParser):
    """Collects the guide as (section id, text block) pairs."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.blocks = []  # (section, kind, text)
        self.section = ""
        self.kind = None
        self.text = ""
        self.numbers = []  # one counter per open list; None for a bullet list
        self.skip = 0

    def start(self, kind):
        self.flush()
        self.kind = kind

    def flush(self):
        if self.kind is not None and (self.text.strip() or self.kind == "pre"):
            self.blocks.append((self.section, self.kind, self.text))
        self.kind, self.text = None, ""

    def handle_starttag(self, tag, attrs):
        if tag in ("style", "title"):
            self.skip += 1
        elif tag in ("h1", "h2", "h3"):
            if tag == "h2":
                self.section = dict(attrs).get("id", "")
            self.start(tag)
        elif tag == "p":
            self.start("p")
        elif tag == "pre":
            self.start("pre")
        elif tag in ("ul", "ol"):
            self.flush()
            self.numbers.append(0 if tag == "ol" else None)
        elif tag == "li":
            if self.numbers and self.numbers[-1] is not None:
                self.numbers[-1] += 1
                self.start("%d." % self.numbers[-1])
            else:
                self.start("-")

    def handle_endtag(self, tag):
        if tag in ("style", "title"):
            self.skip -= 1
        elif tag in ("ul", "ol"):
            self.flush()
            self.numbers.pop()
        elif tag in ("h1", "h2", "h3", "p", "pre", "li"):
            self.flush()

    def handle_data(self, data):
        if self.skip or self.kind is None:
            return
        self.text += data if self.kind == "pre" else " ".join(data.split(" \n"))


def render(blocks):
    lines = []
    for _, kind, text in blocks:
        if kind == "pre":
            lines += ["    " + line for line in text.split("\n")]
            lines.append("")
            continue
        words = " ".join(text.split())
        if kind in ("h1", "h2"):
            lines += [words.upper() if kind == "h1" else words, "=" * len(words), ""]
        elif kind == "h3":
            lines += [words, "-" * len(words), ""]
        elif kind == "p":
            lines += textwrap.wrap(words, WIDTH) + [""]
        else:  # a list item
            marker = kind + " "
            lines += textwrap.wrap(words, WIDTH, initial_indent="  " + marker,
                                   subsequent_indent=" " * (2 + len(marker)))
    # A list's items stay together; a blank line follows the list.
    text, previous = [], ""
    for line in lines:
        if previous.startswith("  ") and line and not line.startswith(" "):
            text.append("")
        text.append(line)
        previous = line
    return "\r\n".join(text).rstrip() + "\r\n"


def main():
    parser = GuideText()
    parser.feed((DOCS / "Launcher guide.htm").read_text(encoding="utf-8"))
    parser.flush()
    # The list of contents links to the sections; plain text has none.
    blocks = [b for b in parser.blocks if not (b[0] == "" and b[1] == "-")]
    (DOCS / "Launcher guide.txt").write_bytes(render(blocks).encode("latin-1"))
    iwads = [b for b in blocks if b[0] in IWAD_SECTIONS]
    (DOCS / "Help").mkdir(exist_ok=True)
    (DOCS / "Help" / "Iwad location.txt").write_bytes(render(iwads).encode("latin-1"))


if __name__ == "__main__":
    main()
