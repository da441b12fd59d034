"""What the accessibility bus shows of the program, for the real-window test.

Run with the system's Python, which has pyatspi:
  tree          every object of the program, indented: role, "name", and
                where it lies on the screen (x y width height)
  window        where the main window lies on the screen: x y width height
  texts         the static texts of the main window, a line each: left, top,
                width and height in the window's client area, a tab, the name
  fields TITLE  the text fields of the dialog TITLE, a line each: the name
  ends TITLE    what each of those fields has at, after and before the end
                of its text, by each kind of boundary
Exits with 1 when the program or the window asked for is not on the bus.
"""
import sys

import pyatspi

PROGRAM = "ondulane"
MAIN_WINDOW = ("frame", "Ondulane")


def children(obj):
    return [c for c in (obj.getChildAtIndex(i) for i in range(obj.childCount)) if c is not None]


def extents(obj):
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def program():
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.name == PROGRAM:
            return app
    sys.exit(1)


def window(role, name):
    for w in children(program()):
        if (w.getRoleName(), w.name) == (role, name):
            return w
    sys.exit(1)


def tree(obj, depth=0):
    x, y, w, h = extents(obj) if depth else (0, 0, 0, 0)
    print(f'{"  " * depth}{obj.getRoleName()} "{obj.name}" {x} {y} {w} {h}')
    for c in children(obj):
        tree(c, depth + 1)


def texts():
    main = window(*MAIN_WINDOW)
    left, top, _, _ = extents(main)
    for c in children(main):
        if c.getRoleName() == "label":
            x, y, w, h = extents(c)
            print(f"{x - left} {y - top} {w} {h}\t{c.name}")


def fields(title):
    for c in children(window("dialog", title)):
        if c.getRoleName() == "text":
            print(c.name)


def ends(title):
    for c in children(window("dialog", title)):
        if c.getRoleName() == "text":
            text = c.queryText()
            for boundary in range(7):  # character to line end
                for ask in (text.getTextAtOffset, text.getTextAfterOffset, text.getTextBeforeOffset):
                    print(c.name, boundary, *ask(text.characterCount, boundary))


if __name__ == "__main__":
    command = sys.argv[1] if len(sys.argv) > 1 else "tree"
    if command == "tree":
        tree(program())
    elif command == "window":
        print(*extents(window(*MAIN_WINDOW)))
    elif command == "texts":
        texts()
    elif command == "fields":
        fields(sys.argv[2])
    elif command == "ends":
        ends(sys.argv[2])
    else:
        sys.exit(f"unknown command {command}")
