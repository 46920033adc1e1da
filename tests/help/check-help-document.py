#!/usr/bin/env python3
"""Reads the printed help document as a reader would navigate it, against the guide's source.

Usage: check-help-document.py HELP.pdf GUIDE.md

- the outline (bookmarks) holds every heading of the guide, in order, at its level;
- the contents page lists every section and subsection with the page its bookmark opens;
- no page ends with a heading whose text is on the next page;
- every picture of the guide is drawn, inside the page margins;
- no word of text runs into the left or right margin (poppler's pdftotext gives each word's box);
- every table of the guide is printed as a table, not as its Markdown source.
Prints each failure and exits 1 when there is one.
"""
import html
import re
import subprocess
import sys

import pypdf

MARGIN_PT = 18 / 25.4 * 72  # the help document's page margins, 18 mm
CONTENTS_TITLE = "Contents"
CONTENTS_LEVELS = (2, 3)  # sections and subsections are listed; the title and deeper levels not


def squeeze(text):
    """Text without its spaces: the PDF's text splits words at kerning ("T est")."""
    return re.sub(r"\s+", "", text)


def guide_headings(source):
    """(level, title) of every heading of the Markdown guide, as a reader sees its title."""
    headings = []
    for line in source.splitlines():
        match = re.match(r"^(#{1,6}) (.+?)\s*$", line)
        if match:
            headings.append((len(match.group(1)), re.sub(r"[`*]", "", match.group(2))))
    return headings


def outline_entries(reader, items=None, level=1):
    """(level, title, page number from 1) of every bookmark, depth first."""
    entries = []
    for item in reader.outline if items is None else items:
        if isinstance(item, list):
            entries += outline_entries(reader, item, level + 1)
        else:
            entries.append((level, item.title, reader.get_destination_page_number(item) + 1))
    return entries


def contents_pages(reader, entries):
    """The page numbers that the contents pages state, by squeezed title: the pages from the
    Contents bookmark's up to the page before the next bookmark's."""
    titles = [title for _, title, _ in entries]
    if CONTENTS_TITLE not in titles:
        return {}
    at = titles.index(CONTENTS_TITLE)
    first = entries[at][2]
    last = entries[at + 1][2] - 1 if at + 1 < len(entries) else first
    stated = {}
    for index in range(first - 1, max(first, last)):
        for line in reader.pages[index].extract_text().splitlines():
            match = re.match(r"^(.*?)\s*\.{3,}\s*(\d+)$", line)
            if match:
                stated[squeeze(match.group(1))] = int(match.group(2))
    return stated


def last_line(page):
    """The page's last line of text above the page number."""
    lines = [line for line in page.extract_text().splitlines() if line.strip()]
    if lines and lines[-1].strip().isdigit():
        lines.pop()
    return lines[-1] if lines else ""


def pictures(page):
    """(left, bottom, right, top) of every picture drawn on the page."""
    boxes = []

    def visit(operator, operands, matrix, text_matrix):
        if operator == b"Do":
            a, _, _, d, e, f = matrix
            boxes.append((e, f, e + a, f + d))

    page.extract_text(visitor_operand_before=visit)
    return boxes


def words(path):
    """(page number from 1, page width, left, right, word) of every word of the document."""
    boxes = subprocess.run(["pdftotext", "-bbox", path, "-"], check=True, capture_output=True,
                           text=True).stdout
    found = []
    pages = re.findall(r'<page width="([\d.]+)" height="[\d.]+">(.*?)</page>', boxes, re.S)
    for number, (width, body) in enumerate(pages, start=1):
        for left, right, word in re.findall(
                r'<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="[\d.]+">(.*?)</word>',
                body):
            found.append((number, float(width), float(left), float(right), html.unescape(word)))
    return found


def check(reader, source, path):
    failures = []
    if reader.page_mode != "/UseOutlines":
        failures.append(f"the document opens with page mode {reader.page_mode}, not its bookmarks")
    headings = guide_headings(source)
    entries = outline_entries(reader)
    bookmarks = [(level, title) for level, title, _ in entries if title != CONTENTS_TITLE]
    for index, (bookmark, heading) in enumerate(zip(bookmarks + [None] * len(headings),
                                                    headings + [None] * len(bookmarks))):
        if bookmark != heading:
            failures.append(f"bookmark {index + 1} is {bookmark}, the guide's heading {heading}")
            break

    stated = contents_pages(reader, entries)
    if not stated:
        failures.append("no contents page with page numbers")
    for level, title, page in entries:
        if level in CONTENTS_LEVELS and title != CONTENTS_TITLE and \
                stated.get(squeeze(title)) != page:
            failures.append(f"contents give '{title}' page {stated.get(squeeze(title))}, "
                            f"its bookmark opens page {page}")

    titles = {squeeze(title) for _, title in headings}
    for number, page in enumerate(reader.pages, start=1):
        if squeeze(last_line(page)) in titles:
            failures.append(f"page {number} ends with the heading '{last_line(page)}'")

    drawn = 0
    for number, page in enumerate(reader.pages, start=1):
        width, height = float(page.mediabox.width), float(page.mediabox.height)
        for left, bottom, right, top in pictures(page):
            drawn += 1
            if (left < MARGIN_PT - 1 or right > width - MARGIN_PT + 1 or bottom < MARGIN_PT - 1
                    or top > height - MARGIN_PT + 1):
                failures.append(f"page {number}: a picture at x {left:.0f}..{right:.0f}, "
                                f"y {bottom:.0f}..{top:.0f} leaves the text area")
    for number, width, left, right, word in words(path):
        if left < MARGIN_PT - 1 or right > width - MARGIN_PT + 1:
            failures.append(f"page {number}: '{word}' at x {left:.0f}..{right:.0f} leaves the "
                            f"text area, x {MARGIN_PT:.0f}..{width - MARGIN_PT:.0f}")
    for number, page in enumerate(reader.pages, start=1):
        if re.search(r"\|\s*-{3,}\s*\|", page.extract_text()):
            failures.append(f"page {number}: a table printed as its Markdown source")
    named = len(re.findall(r"!\[[^\]]*\]\(", source))
    if drawn != named:
        failures.append(f"{drawn} pictures drawn, the guide names {named}")
    return failures


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: check-help-document.py HELP.pdf GUIDE.md\n")
        return 2
    with open(argv[2], encoding="utf-8") as guide:
        source = guide.read()
    failures = check(pypdf.PdfReader(argv[1]), source, argv[1])
    for failure in failures:
        print(failure)
    if not failures:
        print(f"help document: {len(guide_headings(source))} bookmarked headings with their "
              "pages in the contents, no heading alone at a page's foot, every picture inside "
              "the margins, no text past them")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
