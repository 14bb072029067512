#!/usr/bin/python3
"""Walks Veltrix's window through AT-SPI, as a screen reader reads it, and
holds it against veltrix-report's text for the same machine:

- the window is a frame named Veltrix; the header is named by its text and
  its icon by the menu it opens;
- the tab strip is a page tab list whose tabs carry the report's headings,
  in category order, exactly one of them selected;
- the shown page reads, from top to bottom, the report's lines of its
  category: each caption, then its value, the value labelled by the caption
  (and the caption a label for the value), rows going down the page and
  each value right of its caption;
- a tab pressed through its action shows its page; on a page of devices the
  index box holds the number of the device shown and the scroll bar that
  number as its value, both labelled by the Index caption; moving the bar
  through its value shows another device, and the screen reader hears the
  new values;
- with the keyboard in the tab strip, the selected tab is focused, and a
  tab selected with an arrow key is announced focused;
- from the tab strip, Tab takes the keyboard to the shown page's values one
  by one in reading order, each focused value read with its caption as the
  report's line ("Naam: ..."), never to a value of a page not shown;
  Ctrl+C then puts that line on the clipboard;
- the window menu, opened from the header's icon, lists the program's
  entries;
- what is announced: the timer rewriting unchanged values says nothing, a
  tab pressed says which tab is selected now, and the values a moved scroll
  bar changed announce their new names.

Every wait is bounded. The tree walked is written to the dump file; the
figures (objects, named, focusable) are printed first.

usage: accessibility_tree.py REPORT.txt X_WINDOW_ID DUMP.txt
"""
import ctypes
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

report_path, x_window, dump_path = sys.argv[1:4]
failures = []
PROCESSOR, PRINTERS = 0, 7


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


heard = []


def hear(event):
    heard.append((event.type, event.source))


def pump():
    """Hands the announcements that arrived to hear()."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def listen(seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        time.sleep(0.05)


def heard_from(kind, sources):
    return [source for event, source in heard if event.startswith(kind) and source in sources]


def wait_for(probe, what, seconds=20.0):
    deadline = time.monotonic() + seconds
    while True:
        pump()
        try:
            found = probe()
        except Exception:  # an object that went while it was read
            found = None
        if found:
            return found
        if time.monotonic() > deadline:
            raise SystemExit("accessibility: gave up waiting for " + what)
        time.sleep(0.1)


def report_categories(path):
    """The report's blocks: (heading, lines) in category order."""
    lines = open(path, encoding="cp1252").read().replace("\r", "").split("\n")
    blocks = []
    for i, line in enumerate(lines):
        if i + 1 < len(lines) and line and lines[i + 1] == "-" * len(line):
            blocks.append((line, []))
        elif blocks and line and not set(line) <= {"-"}:
            blocks[-1][1].append(line)
    return blocks


def split_row(line):
    caption, _, value = line.partition(":")
    return caption + ":", value[1:] if value.startswith(" ") else value


def page_lines(lines, index):
    """The report lines a page shows for device `index`: the collection's
    own rows, then that device's block from its Index line on."""
    shown, current = [], None
    for line in lines:
        if line.startswith("Index: "):
            current = int(line[len("Index: "):])
        if current is None or current == index:
            shown.append(line)
    return shown


def showing(obj):
    return obj.getState().contains(pyatspi.STATE_SHOWING)


def children(obj):
    return [obj.getChildAtIndex(i) for i in range(obj.childCount)]


def related(obj, kind):
    return [rel.getTarget(i) for rel in obj.getRelationSet() if rel.getRelationType() == kind
            for i in range(rel.getNTargets())]


def extents(obj):
    return obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


STATES = [(pyatspi.STATE_SHOWING, "showing"), (pyatspi.STATE_ENABLED, "enabled"),
          (pyatspi.STATE_FOCUSABLE, "focusable"), (pyatspi.STATE_FOCUSED, "focused"),
          (pyatspi.STATE_SELECTED, "selected")]


def describe(obj):
    states = [name for state, name in STATES if obj.getState().contains(state)]
    text = "%s %r [%s]" % (obj.getRoleName(), obj.name, " ".join(states))
    try:
        value = obj.queryValue()
        text += " value=%g (%g..%g)" % (value.currentValue, value.minimumValue, value.maximumValue)
    except NotImplementedError:
        pass
    for target in related(obj, pyatspi.RELATION_LABELLED_BY):
        text += " labelled-by=%r" % target.name
    return text


def dump(obj, out, depth=0):
    out.append("  " * depth + describe(obj))
    if depth and not showing(obj):
        if obj.childCount:
            out.append("  " * (depth + 1) + "(%d children, not shown)" % obj.childCount)
        return
    for child in children(obj):
        dump(child, out, depth + 1)


def figures(frame):
    """Objects in the window, those with a name, those that take the focus
    (and of those, the ones shown)."""
    every = pyatspi.findAllDescendants(frame, lambda o: True)
    focusable = [o for o in every if o.getState().contains(pyatspi.STATE_FOCUSABLE)]
    return {"objects": len(every), "named": sum(1 for o in every if o.name),
            "focusable": len(focusable), "focusable shown": sum(1 for o in focusable if showing(o))}


def read_aloud(obj):
    """What a screen reader says for a focused object: the names of its
    labels, then its own."""
    return " ".join([label.name for label in related(obj, pyatspi.RELATION_LABELLED_BY)] + [obj.name])


def clipboard_text(seconds=5.0):
    """The X clipboard's text, asked for as UTF-8 through Xlib (the owner,
    Veltrix, answers from its own loop)."""
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XCreateSimpleWindow.restype = ctypes.c_ulong
    x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 4 + [ctypes.c_uint] + [ctypes.c_ulong] * 2
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XConvertSelection.argtypes = [ctypes.c_void_p] + [ctypes.c_ulong] * 5
    x.XCheckTypedWindowEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_void_p]
    x.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
                                     ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                     ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
                                     ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ubyte))]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x.XOpenDisplay(None)
    if not display:
        return None
    try:
        window = x.XCreateSimpleWindow(display, x.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
        utf8 = x.XInternAtom(display, b"UTF8_STRING", 0)
        into = x.XInternAtom(display, b"VELTRIX_TEST_CLIPBOARD", 0)
        x.XConvertSelection(display, x.XInternAtom(display, b"CLIPBOARD", 0), utf8, into, window, 0)
        x.XFlush(display)
        event = ctypes.create_string_buffer(192)  # an XEvent
        selection_notify = 31
        deadline = time.monotonic() + seconds
        while not x.XCheckTypedWindowEvent(display, window, selection_notify, event):
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)
        kind, bytes_after, count = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_ulong()
        width = ctypes.c_int()
        data = ctypes.POINTER(ctypes.c_ubyte)()
        if x.XGetWindowProperty(display, window, into, 0, 1 << 20, 1, 0, ctypes.byref(kind), ctypes.byref(width),
                                ctypes.byref(count), ctypes.byref(bytes_after), ctypes.byref(data)) != 0 or not data:
            return None
        text = bytes(data[:count.value]).decode("utf-8", "replace")
        x.XFree(data)
        return text
    finally:
        x.XCloseDisplay(display)


def press(keys):
    subprocess.run(["xdotool", "key"] + keys, timeout=10, check=True)


def click_centre(obj):
    box = extents(obj)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2), "click", "1"],
                   timeout=10, check=True)


def check_values_by_keyboard(frame, tab, page, lines, out):
    """From the strip's selected tab, Tab through the page's values: each
    focused in turn and read with its caption as the report's line; one more
    Tab leaves the page without reaching a hidden one; back on the last value,
    Ctrl+C copies its line."""
    click_centre(tab)
    wait_for(lambda: tab.getState().contains(pyatspi.STATE_FOCUSED), "the selected tab focused")
    texts, _ = page_texts(page)
    values = texts[1::2]
    for value, line in zip(values, lines):
        press(["Tab"])
        if not check(wait_for(lambda: value.getState().contains(pyatspi.STATE_FOCUSED) or None,
                              "Tab to %r" % value.name), "Tab did not reach %r" % value.name):
            return
        said = read_aloud(value)
        check(said == line, "the focused value reads %r, the report %r" % (said, line))
        out.append("focused: %r" % said)
    press(["Tab"])
    listen(0.3)
    labels = pyatspi.findAllDescendants(frame, lambda o: o.getRoleName() == "label")
    check(not [o.name for o in labels if o.getState().contains(pyatspi.STATE_FOCUSED) and not showing(o)],
          "Tab reached a value of a page not shown")
    press(["shift+Tab"])
    last = values[-1]
    wait_for(lambda: last.getState().contains(pyatspi.STATE_FOCUSED) or None, "Shift+Tab back to the last value")
    press(["ctrl+c"])
    copied = wait_for(lambda: (lambda t: t if t == lines[len(values) - 1] else None)(clipboard_text(1.0)),
                      "the clipboard to hold %r" % lines[len(values) - 1], seconds=10.0)
    out.append("copied: %r" % copied)
    print("accessibility: Ctrl+C copied %r" % copied)


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        for frame in children(app) if app else []:
            if frame.getRoleName() == "frame" and frame.name == "Veltrix" and frame.childCount:
                return app, frame
    return None


def shown_page(frame):
    pages = [c for c in children(frame) if c.getRoleName() == "panel" and showing(c) and c.name == ""
             and not any(g.getRoleName() == "page tab list" for g in children(c))]
    return pages[0] if len(pages) == 1 else None


def page_texts(page):
    """Captions and values in reading order, the index box's number among
    them, and the scroll bars met on the way."""
    texts, bars = [], []
    for child in children(page):
        if child.getRoleName() == "label":
            texts.append(child)
        elif child.getRoleName() == "panel":
            texts += [g for g in children(child) if g.getRoleName() == "label"]
        elif child.getRoleName() == "scroll bar":
            bars.append(child)
    return texts, bars


def check_page(page, expected_lines, what):
    texts, bars = page_texts(page)
    names = [t.name for t in texts]
    expected = [part for line in expected_lines for part in split_row(line)]
    if not check(names == expected, "%s reads %r, the report %r" % (what, names, expected)):
        return texts, bars
    previous_top = -1
    for caption, value in zip(texts[0::2], texts[1::2]):
        check(related(value, pyatspi.RELATION_LABELLED_BY) == [caption],
              "%s: %r is not labelled by %r" % (what, value.name, caption.name))
        check(value in related(caption, pyatspi.RELATION_LABEL_FOR),
              "%s: %r is no label for %r" % (what, caption.name, value.name))
        c, v = extents(caption), extents(value)
        check(c.y >= previous_top and c.x < v.x,
              "%s: %r does not follow in reading order" % (what, caption.name))
        previous_top = c.y
    return texts, bars


def main():
    pyatspi.Registry.registerEventListener(hear, "object:property-change:accessible-name",
                                           "object:state-changed:selected", "object:state-changed:focused")
    blocks = report_categories(report_path)
    check(len(blocks) == 15, "the report has %d categories" % len(blocks))
    app, frame = wait_for(find_app, "the Veltrix window in the accessibility tree")
    out = []

    # The header.
    header = children(frame)[0]
    check(header.name == "Veltrix" and [c.getRoleName() for c in children(header)][:2] == ["image", "label"],
          "the header reads %r" % describe(header))
    check([c.name for c in children(header)][:2] == ["Venstermenu", "Veltrix"], "the header's icon and text")

    # The tabs.
    strip = wait_for(lambda: [c for c in pyatspi.findAllDescendants(frame, lambda o: o.getRoleName() == "page tab list")][0],
                     "the page tab list")
    tabs = children(strip)
    check([t.getRoleName() for t in tabs] == ["page tab"] * 15, "15 page tabs")
    check([t.name for t in tabs] == [heading for heading, _ in blocks], "the tabs carry the report's headings")
    selected = [t.name for t in tabs if t.getState().contains(pyatspi.STATE_SELECTED)]
    check(selected == [blocks[PROCESSOR][0]], "selected at start: %r" % selected)

    # The page shown at start.
    page = wait_for(lambda: shown_page(frame), "one shown page")
    check_page(page, blocks[PROCESSOR][1], "the Processor page")
    counted = figures(frame)
    print("accessibility: " + ", ".join("%d %s" % (n, what) for what, n in counted.items()))
    out.append("figures: %r" % counted)
    texts, _ = page_texts(page)
    for value in texts[1::2][:3]:
        print("accessibility: read %r" % read_aloud(value))

    # Three ticks of the timer over values that stay as they are: silence.
    del heard[:]
    listen(1.6)
    labels = pyatspi.findAllDescendants(frame, lambda o: o.getRoleName() == "label")
    check(heard_from("object:property-change:accessible-name", labels) == [],
          "unchanged values announced: %r" % [s.name for s in heard_from("object:property-change", labels)])

    # A page of devices, chosen by pressing its tab.
    action = tabs[PRINTERS].queryAction()
    check([action.getName(i) for i in range(action.nActions)] == ["Press"], "a tab's actions")
    del heard[:]
    action.doAction(0)
    wait_for(lambda: tabs[PRINTERS].getState().contains(pyatspi.STATE_SELECTED), "the Printers tab selected")
    wait_for(lambda: heard_from("object:state-changed:selected", [tabs[PRINTERS]]), "the Printers tab announced")
    check(heard_from("object:state-changed:selected", [tabs[PROCESSOR]]), "the Processor tab announced unselected")
    check(sum(t.getState().contains(pyatspi.STATE_SELECTED) for t in tabs) == 1, "one tab selected")
    page = wait_for(lambda: (lambda p: p if p and page_texts(p)[1] else None)(shown_page(frame)), "the Printers page")
    texts, bars = page_texts(page)
    index_caption = next(t for t in texts if t.name == "Index:")
    box = texts[texts.index(index_caption) + 1]
    shown = int(box.name)
    check_page(page, page_lines(blocks[PRINTERS][1], shown), "the Printers page")
    check(related(box, pyatspi.RELATION_LABELLED_BY) == [index_caption], "the index box is labelled by Index")
    bar = bars[0]
    value = bar.queryValue()
    check(bar.name == "Index:" and related(bar, pyatspi.RELATION_LABELLED_BY) == [index_caption],
          "the scroll bar is named and labelled by Index: %r" % describe(bar))
    check((value.currentValue, value.minimumValue, value.maximumValue) == (shown, 0, 1),
          "the scroll bar shows device %d of 0..1: %r" % (shown, describe(bar)))
    dump(frame, out)

    # Another device through the bar's value: the new values are heard.
    other = 1 - shown
    del heard[:]
    value.currentValue = other
    wait_for(lambda: box.name == str(other), "the index box to show %d" % other)
    check_page(page, page_lines(blocks[PRINTERS][1], other), "the Printers page after the bar moved")
    texts, _ = page_texts(page)
    changed = [value for value, line in zip(texts[1::2], page_lines(blocks[PRINTERS][1], shown))
               if value.name != split_row(line)[1]]
    check(box in changed and len(changed) >= 3, "moving the bar changes the box and the printer's rows")
    wait_for(lambda: set(heard_from("object:property-change:accessible-name", changed)) == set(changed),
             "the changed values to be announced: %r" % [t.name for t in changed])

    # From the keyboard: the strip clicked on its selected tab, then Right;
    # the tab the key selected has the keyboard, and says so.
    box_ = extents(tabs[PRINTERS])
    subprocess.run(["xdotool", "mousemove", str(box_.x + box_.width // 2), str(box_.y + box_.height // 2),
                    "click", "1"], timeout=10, check=True)
    wait_for(lambda: tabs[PRINTERS].getState().contains(pyatspi.STATE_FOCUSED), "the Printers tab focused")
    del heard[:]
    subprocess.run(["xdotool", "key", "Right"], timeout=10, check=True)
    wait_for(lambda: heard_from("object:state-changed:focused", [tabs[PRINTERS + 1]]), "the next tab announced focused")
    check([t.name for t in tabs if t.getState().contains(pyatspi.STATE_FOCUSED)] == [blocks[PRINTERS + 1][0]],
          "the keyboard on the tab the key selected")

    # The values, from the keyboard: the Processor page again.
    tabs[PROCESSOR].queryAction().doAction(0)
    wait_for(lambda: tabs[PROCESSOR].getState().contains(pyatspi.STATE_SELECTED), "the Processor tab selected")
    page = wait_for(lambda: (lambda p: p if p and not page_texts(p)[1] else None)(shown_page(frame)), "the Processor page")
    check_values_by_keyboard(frame, tabs[PROCESSOR], page, blocks[PROCESSOR][1], out)

    # The window menu.
    subprocess.run(["xdotool", "mousemove", "--window", x_window, "28", "30", "click", "1"], timeout=10, check=True)
    menu = wait_for(lambda: [m for m in children(frame) if m.getRoleName() == "popup menu" and showing(m)][0],
                    "the window menu among the window's children")
    items = [i for i in children(menu) if i.getRoleName() == "menu item"]
    check([i.name for i in items][-3:] == ["Opslaan Als...", "Opslaan Alle Als...", "Over Veltrix..."],
          "the window menu's entries: %r" % [i.name for i in items])
    # The window is neither minimised nor maximised: "restore" is greyed.
    check([i.getState().contains(pyatspi.STATE_ENABLED) for i in items][:1] + [items[-1].getState().contains(pyatspi.STATE_ENABLED)]
          == [False, True], "the window menu's greyed and enabled entries")
    out.append("")
    dump(menu, out)
    subprocess.run(["xdotool", "key", "Escape"], timeout=10, check=False)

    with open(dump_path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")
    for failure in failures:
        print("accessibility: " + failure)
    if not failures:
        print("accessibility: the tree holds the report's captions and values; tree in " + dump_path)
    return 1 if failures else 0


sys.exit(main())
