#!/usr/bin/env python3
"""Packs the page into one HTML file: the stylesheet and every script of
web/index.html inlined, so the page opens from file:// and from any static
host with nothing beside it.

usage: pack.py INDEX_HTML OUTPUT NAME=PATH...  (a <script src="NAME"> or
<link href="NAME"> of INDEX_HTML is replaced by the file at PATH)
"""
import re
import sys


def main():
    index, output = sys.argv[1], sys.argv[2]
    paths = dict(arg.split("=", 1) for arg in sys.argv[3:])
    with open(index, encoding="utf-8") as f:
        html = f.read()

    def text(name):
        with open(paths[name], encoding="utf-8") as f:
            return f.read()

    def script(match):
        # "</script" inside a script would end it early.
        return "<script>\n" + text(match.group(1)).replace("</script", "<\\/script") + "\n</script>"

    def style(match):
        return "<style>\n" + text(match.group(1)) + "\n</style>"

    html, scripts = re.subn(r'<script src="([^"]+)"></script>', script, html)
    html, styles = re.subn(r'<link rel="stylesheet" href="([^"]+)">', style, html)
    if scripts != sum(1 for n in paths if not n.endswith(".css")) or styles != 1:
        sys.exit("pack.py: index.html does not name every file given")
    with open(output, "w", encoding="utf-8") as f:
        f.write(html)


main()
