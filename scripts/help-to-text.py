#!/usr/bin/env python3
"""The help file as plain text for the Windows download: each topic title
underlined, each paragraph wrapped at 76 columns, CR LF line ends.
   python3 scripts/help-to-text.py resources/help/help.md OUT.txt"""
import sys
import textwrap

source, out = sys.argv[1], sys.argv[2]
lines = []
for block in open(source, encoding="utf-8").read().split("\n"):
    if block.startswith("## "):
        title = block[3:].strip()
        if lines:
            lines.append("")
        lines += [title, "=" * len(title)]
    elif block.strip():
        lines.append("")
        lines += textwrap.wrap(block.strip(), width=76, break_long_words=False, break_on_hyphens=False)
with open(out, "w", encoding="utf-8", newline="\r\n") as f:
    f.write("Scrivlet Help\n\n" + "\n".join(lines) + "\n")
