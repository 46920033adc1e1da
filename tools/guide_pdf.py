#!/usr/bin/env python3
"""Prints the Markdown user guide to the PDF help document at build time.

Usage: guide_pdf.py GUIDE.md OUTPUT.pdf VERSION

The document opens with a contents page whose entries carry page numbers, every heading becomes a
bookmark of the PDF outline, no heading is left alone at the foot of a page, and every picture
fits the text width. Pictures named in the guide are looked up relative to the guide's own folder;
a missing one stops the printing with its line number.
"""
import html
import pathlib
import re
import sys
import xml.etree.ElementTree as etree

import markdown
from markdown.extensions import Extension
from markdown.treeprocessors import Treeprocessor
import weasyprint

TITLE = "QK3xx Software User Guide"
CONTENTS_LEVELS = (2, 3)

STYLE = """
@page {
  size: A4; margin: 18mm 18mm 20mm 18mm;
  @bottom-center { content: counter(page); font-size: 9pt; color: #555; }
}
@page :first { @bottom-center { content: none; } }
html { font-family: "DejaVu Sans", sans-serif; font-size: 10pt; line-height: 1.4; }
h1 { font-size: 20pt; margin: 0 0 2pt 0; bookmark-level: 1; }
.version { color: #555; margin: 0 0 18pt 0; }
h2 { font-size: 14pt; margin: 16pt 0 6pt 0; bookmark-level: 2; }
h3 { font-size: 11.5pt; margin: 12pt 0 4pt 0; bookmark-level: 3; }
h4 { font-size: 10pt; margin: 10pt 0 3pt 0; bookmark-level: 4; }
h1, h2, h3, h4 { break-after: avoid; color: #1a3a5a; }
p, li { orphans: 3; widows: 3; }
li { margin: 1pt 0; }
code { font-family: "DejaVu Sans Mono", monospace; font-size: 9pt; }
pre { white-space: pre-wrap; overflow-wrap: anywhere; }  /* a long line folds at the margin */
figure { margin: 6pt 0 10pt 0; break-inside: avoid; }
figure img { display: block; max-width: 100%; height: auto; border: 0.5pt solid #bbb; }
figcaption { font-size: 8.5pt; color: #555; margin-top: 3pt; }
table { border-collapse: collapse; margin: 4pt 0 8pt 0; font-size: 9pt; }
th, td { border: 0.5pt solid #bbb; padding: 2pt 5pt; text-align: left; vertical-align: top; }
th { background: #eef3f8; }
nav.contents { break-after: page; }
nav.contents h2 { bookmark-level: 2; }
nav.contents ul { list-style: none; padding: 0; margin: 0; }
nav.contents li.level-3 { margin-left: 14pt; }
nav.contents a { color: inherit; text-decoration: none; }
nav.contents a::after { content: leader('.') target-counter(attr(href), page); }
"""


class FigureProcessor(Treeprocessor):
    """A paragraph that holds a picture alone becomes a figure captioned with its text."""

    def run(self, root):
        for paragraph in root.iter("p"):
            children = list(paragraph)
            if len(children) != 1 or children[0].tag != "img" or (paragraph.text or "").strip():
                continue
            paragraph.tag = "figure"
            caption = etree.SubElement(paragraph, "figcaption")
            caption.text = children[0].get("alt", "")


class Figures(Extension):
    def extendMarkdown(self, md):
        md.treeprocessors.register(FigureProcessor(md), "figures", 5)


def missing_pictures(source, folder):
    """(line number, path) of every picture the guide names that is not there."""
    missing = []
    for number, line in enumerate(source.splitlines(), start=1):
        for path in re.findall(r"!\[[^\]]*\]\(([^)\s]+)", line):
            if not (folder / path).is_file():
                missing.append((number, path))
    return missing


def contents(tokens):
    """The contents page: the sections and their subsections, each with its page number."""
    entries = []

    def walk(items):
        for item in items:
            if item["level"] in CONTENTS_LEVELS:
                entries.append(
                    f'<li class="level-{item["level"]}"><a href="#{item["id"]}">'
                    f'{html.escape(html.unescape(item["name"]), quote=False)}</a></li>')
            walk(item["children"])

    walk(tokens)
    return ('<nav class="contents"><h2 id="contents">Contents</h2><ul>' + "".join(entries) +
            "</ul></nav>")


def guide_html(source, version):
    converter = markdown.Markdown(extensions=["toc", "sane_lists", "tables", Figures()])
    body = converter.convert(source)
    # The contents page follows the title; the introduction starts the next page.
    title_end = body.index("</h1>") + len("</h1>")
    front = f'<p class="version">Version {html.escape(version)}</p>' + contents(
        converter.toc_tokens)
    return (f'<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">'
            f"<title>{TITLE}</title><meta name=\"generator\" content=\"QK3xx Software\">"
            f"</head><body>{body[:title_end]}{front}{body[title_end:]}</body></html>")


def main(argv):
    if len(argv) != 4:
        sys.stderr.write("usage: guide_pdf.py GUIDE.md OUTPUT.pdf VERSION\n")
        return 2
    guide, output, version = pathlib.Path(argv[1]), pathlib.Path(argv[2]), argv[3]
    try:
        source = guide.read_text(encoding="utf-8")
    except (OSError, UnicodeDecodeError) as error:
        sys.stderr.write(f"guide_pdf.py: cannot read {guide}: {error}\n")
        return 1
    folder = guide.resolve().parent
    missing = missing_pictures(source, folder)
    for number, path in missing:
        sys.stderr.write(f"{guide}:{number}: no picture {path}\n")
    if missing:
        return 1
    document = weasyprint.HTML(string=guide_html(source, version), base_url=str(folder) + "/")
    # Written beside the target and renamed, so a failed print never leaves half a document.
    partial = output.with_name(output.name + ".partial")
    try:
        document.write_pdf(partial, stylesheets=[weasyprint.CSS(string=STYLE)],
                           finisher=open_with_bookmarks)
        partial.replace(output)
    except OSError as error:
        sys.stderr.write(f"guide_pdf.py: cannot write {output}: {error}\n")
        return 1
    return 0


def open_with_bookmarks(_document, pdf):
    """A viewer opens the document with its bookmark pane showing."""
    pdf.catalog["PageMode"] = "/UseOutlines"


if __name__ == "__main__":
    sys.exit(main(sys.argv))
