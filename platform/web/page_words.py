"""The page's own words, which the catalogues translate: the aria-label
values of page.html.in but the keys', the words after each key, and the
texts its scripts name with Language.word("..."). A comment on the line
before serves as the translators' note for the lines of texts that follow.
Read by scripts/make-pot for the template and by make_page.py for the
translations the page carries."""
import html
import os
import re

PAGE = "platform/web/page.html.in"
SCRIPTS = ("platform/web/dialogs.js",)
MARKUP = (r'aria-label="([^"]*)"', r'<span class="words"> ([^<]*)<')
SCRIPT = (r'Language\.word\("([^"]*)"\)',)
KEY = re.compile(r"^(ENTER|F[0-9]) ")


def messages(root):
    """(text, notes, path) of each word, in the order of the sources."""
    for path, patterns in ((PAGE, MARKUP),) + tuple((s, SCRIPT) for s in SCRIPTS):
        notes = []
        with open(os.path.join(root, path), encoding="utf-8") as f:
            lines = f.read().splitlines()
        for line in lines:
            note = re.match(r"^\s*(?:<!--|//) ?(.*?)(?: ?-->)?$", line)
            if note:
                notes = [note.group(1)]
                continue
            texts = [html.unescape(t) for p in patterns for t in re.findall(p, line)
                     if not KEY.match(t)]
            for text in texts:
                yield text, notes, path
            if not texts:
                notes = []
