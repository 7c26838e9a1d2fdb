#!/usr/bin/env python3
# Writes COUNT inputs for the formatter and editor fuzz targets, each a style byte and up to
# 40 pieces of markup of the kinds the formatter's rules turn on: tags of the fuzz styles,
# repeated and spaced "<", block openers, comments that look generated, tags cut off by the
# end, CR LF, Latin-1. Random bytes rarely build these; replaying them finds what does.
#   tests/fuzz/markup_pieces.py SEED COUNT FOLDER
#   build-fuzz/tests/fuzz/fuzz_formatter -runs=0 FOLDER
import os
import random
import sys

PIECES = [
    "<TABLE>", "</TABLE>", "<table border=1>", "<td>", "</td>", "<TD x='1'>", "<B>", "</b>",
    "<H1>", "</H>", "<h1>", "<DIV>", "</div>", "<p>", "</p>", "<<", ">>", "<", ">", "< ", " >",
    "<!--", "-->", "<!--~", "~", " -->", "\"", "'", " ", "  ", "\n", "\r\n", "\t", "abc",
    "x y z", "=", "<br/>", "<br>", "<?", "?>", "<!DOCTYPE html>", "<script>", "</script>",
    "<pre>", "</pre>", "&amp;", "aaaaaaaaaaaaaaaaaaaa", "T", "E", "%1", "-", "<a href=\"x y\">",
    "</a>", "<style>", "</style>", "<!---->", "<!--~T-->", "<!--~E-->", "<!--~ B -->", "/", "</",
    ">\n", "<\n", "\x00", "\xe9", "word ", "<td\n>", "<b >", "</ b>", "<b/>", "<!", "<![CDATA[",
    "]]>", "<%", "%>",
]


def main():
    seed, count, folder = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    rng = random.Random(seed)
    os.makedirs(folder, exist_ok=True)
    for i in range(count):
        style = rng.choice([0, 1, 1, 2, 2, 3, 3])
        text = "".join(rng.choice(PIECES) for _ in range(rng.randint(1, 40)))
        with open(os.path.join(folder, "pieces-%d-%d" % (seed, i)), "wb") as out:
            out.write(bytes([style]) + text.encode("latin-1"))


if __name__ == "__main__":
    main()
