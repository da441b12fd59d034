"""Cuts a face down to the characters of the catalogues' translations, as WOFF
or WOFF2 by the output's name:

  subset_font.py FONT NUMBER OUTPUT [--latin1] [--besides FACE] CATALOGUE...

NUMBER is the face's number in a collection (0 for a single font). --latin1
keeps Latin-1 too, the single-byte codes the program draws from this face;
--besides leaves out the characters FACE has, since the page draws them from
FACE, which comes first."""
import argparse
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

sys.dont_write_bytecode = True  # nothing written into the sources
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake"))
from po_to_rc import read_po  # noqa: E402

LATIN1 = set(range(0x20, 0x7F)) | set(range(0xA0, 0x100))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("font")
    parser.add_argument("number", type=int)
    parser.add_argument("output")
    parser.add_argument("--latin1", action="store_true")
    parser.add_argument("--besides")
    parser.add_argument("catalogues", nargs="+")
    args = parser.parse_args()
    wanted = set(LATIN1) if args.latin1 else set()
    for catalogue in args.catalogues:
        for text in read_po(catalogue)[1].values():
            wanted.update(ord(c) for c in text if c >= " ")
    if args.besides:
        wanted -= set(TTFont(args.besides).getBestCmap())
    options = subset.Options()
    options.font_number = args.number
    options.flavor = os.path.splitext(args.output)[1][1:]
    font = subset.load_font(args.font, options)
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=sorted(wanted))
    cutter.subset(font)
    subset.save_font(font, args.output, options)


if __name__ == "__main__":
    main()
