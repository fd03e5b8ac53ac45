#!/usr/bin/env python3
"""Writes data/quickref/HTML Entities List.html: the named character entities of HTML 4
(plus &apos;), with their character, numeric reference and Unicode name, grouped by kind.

Run from the repository's root: python3 scripts/make-entities-page.py
"""
import html
import html.entities
import unicodedata
from pathlib import Path

SECTIONS = [
    ("Reserved characters", 0x0000, 0x007F),
    ("Latin-1 characters and symbols", 0x00A0, 0x00FF),
    ("Latin extended letters and spacing marks", 0x0100, 0x02FF),
    ("Greek letters", 0x0370, 0x03FF),
    ("Spaces, punctuation and marks", 0x2000, 0x206F),
    ("Currency, letter-like symbols and arrows", 0x20A0, 0x21FF),
    ("Mathematical and technical symbols", 0x2200, 0x23FF),
    ("Shapes and card suits", 0x2400, 0x2FFF),
]

EXTRA = {"apos": 0x27}  # XHTML and HTML5


def description(code):
    name = unicodedata.name(chr(code), "")
    return name[:1] + name[1:].lower() if name else "Unnamed character"


def shown(code):
    ch = chr(code)
    # Spaces and invisible marks get a visible placeholder; copy the name or the code.
    if unicodedata.category(ch) in ("Zs", "Cf"):
        return '<span class="blank">&#x2423;</span>'
    return html.escape(ch)


def main():
    entities = dict(html.entities.name2codepoint)
    entities.update(EXTRA)
    out = [
        "<!DOCTYPE html>",
        '<html lang="en">',
        "<head>",
        '<meta charset="utf-8">',
        "<title>HTML entities list</title>",
        "<style>",
        "body { font-family: sans-serif; font-size: 9pt; margin: 6px; color: #202020; }",
        "h1 { font-size: 11pt; margin: 0 0 4px 0; }",
        "h2 { font-size: 9pt; background: #c0c0c0; padding: 2px 4px; margin: 12px 0 2px 0; }",
        "p { margin: 0 0 6px 0; }",
        "table { border-collapse: collapse; width: 100%; }",
        "th, td { border: 1px solid #d0d0d0; padding: 1px 3px; text-align: left; vertical-align: top; }",
        "th { background: #f0f0f0; }",
        "td.char { font-size: 12pt; text-align: center; width: 1.6em; }",
        "td.name, td.code { font-family: monospace; white-space: nowrap; }",
        ".blank { color: #a0a0a0; }",
        "</style>",
        "</head>",
        "<body>",
        "<h1>HTML entities list</h1>",
        "<p>A character that a page cannot hold as it is, or that would be read as markup, "
        "is written as a named entity (<code>&amp;name;</code>) or as a numeric reference "
        "(<code>&amp;#number;</code>). Select a name or a code and choose Copy. "
        "Names are case-sensitive.</p>",
    ]
    total = 0
    for title, first, last in SECTIONS:
        rows = sorted((code, name) for name, code in entities.items() if first <= code <= last)
        if not rows:
            continue
        out.append(f"<h2>{title}</h2>")
        out.append("<table>")
        out.append("<tr><th>Char</th><th>Entity</th><th>Code</th><th>Description</th></tr>")
        for code, name in rows:
            out.append(
                f'<tr><td class="char">{shown(code)}</td><td class="name">&amp;{name};</td>'
                f'<td class="code">&amp;#{code};</td><td>{html.escape(description(code))}</td></tr>'
            )
        out.append("</table>")
        total += len(rows)
    assert total == len(entities), "an entity falls outside every section"
    out += ["</body>", "</html>", ""]
    target = Path("data/quickref/HTML Entities List.html")
    target.write_text("\n".join(out), encoding="utf-8")
    print(f"{target}: {total} entities")


if __name__ == "__main__":
    main()
