#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads trov's windows through the accessibility bus (AT-SPI) as a screen reader does.

    a11y_check.py en|de DATA_FOLDER PORT_FILE

Reads the main window collapsed and expanded, then each secondary window, working them
through the controls' own actions (a pop-up menu, which Qt leaves out of the tree, through the
focus event of the item Down highlights); fails on a showing control a person can act on that
has no name or a combo box named by one of its values, and on an expected control missing (the
tables below, English and German). Makes one search, so the caller can compare the stores of
the two languages, and extracts the links of a site it serves on 127.0.0.1 (on the port in
PORT_FILE, or one it writes there). Private mode and its key are privacy_test's.
"""
import http.server
import os
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

LANG = sys.argv[1]
DATA = sys.argv[2]
PORT_FILE = sys.argv[3]
DE = LANG == "de"

# Roles of the controls a person acts on; each needs a name.
ACTIONABLE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_MENU_ITEM,
    pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_MENU,
    pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_LINK,
}
BUTTON, RADIO, COMBO, TEXT = "push button", "radio button", "combo box", "text"
ITEM, CHECK_ITEM, TOGGLE = "menu item", "check menu item", "check box"
TABLE, LIST = "table", "list"
ENGINES = ["Google", "Bing", "DuckDuckGo", "Ask", "Swisscows", "Wolfram Alpha", "Wikipedia",
           "Urban Dictionary", "Links"]

# What each window must show: (role, English name, German name).
COLLAPSED = [
    (TEXT, "Search words", "Suchbegriffe"), (BUTTON, "Search", "Suchen"),
    (BUTTON, "Clear the form", "Formular leeren"), (BUTTON, "Menu", "Menü"),
    (BUTTON, "Expand", "Erweitern"), (COMBO, "Search kind", "Suchart"),
] + [(RADIO, e, e) for e in ENGINES]
EXPANDED = [
    (BUTTON, "Collapse", "Einklappen"),
    (TEXT, "Exact word or phrase", "Genaues Wort oder genaue Wortgruppe"),
    (TEXT, "Exclude a word", "Wort ausschließen"), (TEXT, "Site or domain", "Website oder Domain"),
    (COMBO, "Time period", "Zeitraum"), (COMBO, "File type", "Dateityp"),
    (COMBO, "Country", "Land"), (COMBO, "Language", "Sprache"), (COMBO, "Browser", "Browser"),
    (COMBO, "Interface", "Oberfläche"), (BUTTON, "Pin Time period", "Zeitraum anheften"),
    (BUTTON, "Pin File type", "Dateityp anheften"), (BUTTON, "Pin Country", "Land anheften"),
    (BUTTON, "Pin Language", "Sprache anheften"), (BUTTON, "Pin Browser", "Browser anheften"),
    (BUTTON, "Pin Interface", "Oberfläche anheften"),
]
GREYED = ("Ignored by the chosen engine", "Von der gewählten Suchmaschine nicht beachtet")
# The secondary windows: controls each must show, and the menu commands that open them.
HISTORY = [(TABLE, "Search history", "Suchverlauf"), (BUTTON, "Delete record", "Eintrag löschen")]
SUGGESTIONS = [(LIST, "Search suggestions", "Suchvorschläge")]
RECENT = [(BUTTON, "Recent color 1", "Zuletzt verwendete Farbe 1")]
VIEWER = [(TEXT, "Links", "Links"), (BUTTON, "Open URL", "URL öffnen")]
FIND = [(TOGGLE, "Match case", "Groß-/Kleinschreibung beachten")]
REPORT = [(TABLE, "Checked links", "Geprüfte Links")]
MENU, CLOSE, OK = ("Menu", "Menü"), ("Close", "Schließen"), ("OK", "OK")
EXTRACT, CHECK = ("Extract links from a website", "Links einer Website auslesen"), \
    ("Check links", "Links prüfen")

failures = []
focused = []


def say(text):
    return text[1] if DE else text[0]


def within(seconds, probe):
    """Polls probe until it answers something true, at most `seconds`."""
    end = time.monotonic() + seconds
    while True:
        try:
            found = probe()
        except Exception:  # an object that went while it was read
            found = None
        if found or time.monotonic() > end:
            return found
        time.sleep(0.2)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Trov":
            return app
    return None


def role(acc):
    return acc.getRoleName()


def showing(acc):
    s = acc.getState()
    return s.contains(pyatspi.STATE_SHOWING) and s.contains(pyatspi.STATE_VISIBLE)


def walk(acc, depth=0):
    """Every showing object under acc (list and table items are not descended into)."""
    if acc is None or depth > 40:
        return
    yield acc
    if acc.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL):
        return
    count = acc.childCount
    if acc.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST) and count > 40:
        count = 40
    for i in range(count):
        child = acc.getChildAtIndex(i)
        if child is not None and showing(child):
            yield from walk(child, depth + 1)


def windows():
    app = application()
    return [w for w in app if w is not None and showing(w)] if app else []


def objects():
    for w in windows():
        yield from walk(w)


def find(kind, name):
    for acc in objects():
        if role(acc) == kind and acc.name == name:
            return acc
    return None


def values_of(combo):
    values = set()
    for acc in walk(combo):
        if acc is not combo and role(acc) in ("list item", "menu item"):
            values.add(acc.name)
    try:
        text = combo.queryText()
        values.add(text.getText(0, text.characterCount))
    except NotImplementedError:
        pass
    return values - {""}


def check(stage, expected, window=None, seconds=15):
    """Every actionable showing control (of window, or of all) has a name; the expected ones
    are there. A window still being built on a busy machine is read again until it passes or
    the time is up."""
    print(f"{LANG}: {stage}", flush=True)
    global failures
    before, end = failures, time.monotonic() + seconds
    while True:
        failures = []
        try:
            check_once(stage, expected, window)
        except Exception as e:  # an object that went while it was read
            failures.append(f"{stage}: {e}")
        if not failures or time.monotonic() > end:
            failures = before + failures
            return
        time.sleep(0.5)


def check_once(stage, expected, window):
    seen = set()
    for acc in walk(window) if window is not None else objects():
        seen.add((role(acc), acc.name))
        if acc.getRole() not in ACTIONABLE:
            continue
        where = f"{stage}: {role(acc)} in {acc.parent.name!r} ({role(acc.parent)})"
        if not acc.name.strip():
            failures.append(f"{where} has no name")
        elif acc.getRole() == pyatspi.ROLE_COMBO_BOX and acc.name in values_of(acc):
            failures.append(f"{where} is named by its value {acc.name!r}")
    for kind, en, de in expected:
        if (kind, de if DE else en) not in seen:
            failures.append(f"{stage}: no {kind} named {de if DE else en!r}")


def act(acc):
    """Does the object's first action; a modal window it opens may hold the answer back."""
    try:
        acc.queryAction().doAction(0)
    except Exception:  # the answer comes late then
        pass


def press(kind, name):
    acc = within(5, lambda: find(kind, name))
    if acc is None:
        failures.append(f"nothing to press: {kind} {name!r}")
        return False
    act(acc)
    time.sleep(0.3)
    return True


def popup_menu():
    """The pop-up menu open now: Down highlights an item of it, which announces its focus."""
    context = GLib.MainContext.default()
    for tries in range(150):
        if tries % 20 == 0:  # the focus events of what came before go first
            while context.pending():
                context.iteration(False)
            focused.clear()
            pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # Down
        time.sleep(0.1)
        while context.pending():
            context.iteration(False)
        try:
            return next(a.parent for a in reversed(focused) if role(a) == ITEM)
        except Exception:  # none yet, or gone meanwhile
            pass
    return None


def command(menu, *path):
    """Runs the command at path (names, each an (English, German) pair) of menu."""
    for name in path:
        item = menu and next((m for m in menu if m is not None and m.name == say(name)), None)
        if item is None:
            failures.append(f"no menu command {' > '.join(say(n) for n in path)!r}")
            return False
        menu = item.getChildAtIndex(0)  # the submenu, on the way to the command
    act(item)
    return True


def secondary(stage, expected, opener, close=None):
    """Opens a window by opener and checks it, then closes it by its button named close."""
    print(f"{LANG}: opening the {stage}", flush=True)
    before = windows()
    opener()
    window = within(15, lambda: next((w for w in windows() if w not in before), None))
    if window is None:
        return failures.append(f"{stage}: the window did not open")
    check(stage, expected, window)
    if close is not None:
        [act(a) for a in walk(window) if role(a) == BUTTON and a.name == say(close)]
        if not within(5, lambda: window not in windows()):
            failures.append(f"{stage}: {say(close)!r} did not close it")
    return window


def serve_site():
    """A page linking to two on 127.0.0.1, on the port the other language's run used."""
    os.makedirs(site := os.path.join(os.path.dirname(PORT_FILE), "site"), exist_ok=True)
    with open(os.path.join(site, "index.html"), "w") as f:
        f.write('<html><body><a href="/one">1</a> <a href="/two">2</a></body></html>')
    port = int(open(PORT_FILE).read()) if os.path.exists(PORT_FILE) else 0
    quiet = type("Quiet", (http.server.SimpleHTTPRequestHandler,), {"log_message": lambda *a: None})
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port),
                                             lambda *a: quiet(*a, directory=site))
    open(PORT_FILE, "w").write(str(server.server_address[1]))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}/"


def secondary_windows():
    def from_menu(*path):
        return lambda: press(BUTTON, say(MENU)) and command(popup_menu(), *path)

    # Each closed again, so the main form's controls are the only ones of their names.
    secondary("history window", HISTORY, from_menu(("History", "Verlauf")), CLOSE)
    secondary("suggestions manager", SUGGESTIONS,
              from_menu(("Search suggestions", "Suchvorschläge")), CLOSE)
    secondary("recent colours", RECENT, from_menu(("Background color", "Hintergrundfarbe"),
                                                  ("Recent colors", "Zuletzt verwendete Farben")), OK)
    secondary("about window", [(BUTTON, *OK)], from_menu(("About", "Über")), OK)

    def extract():  # the Links engine pops its crawler menu up; without a mode Go would crawl
        if press(RADIO, "Links") and command(popup_menu(), EXTRACT):
            for field, text in ((EXPANDED[3], serve_site()), (COLLAPSED[0], "cats")):
                find(TEXT, say(field[1:])).queryEditableText().setTextContents(text)
            press(BUTTON, say(COLLAPSED[1][1:]))
    viewer = secondary("links viewer", VIEWER, extract)
    edit = viewer and next((a for a in walk(viewer) if role(a) == ITEM
                            and a.name == say(("Edit", "Bearbeiten"))), None)
    if edit:
        secondary("links viewer's find box", FIND,
                  lambda: command(edit.getChildAtIndex(0), ("Find", "Suchen")))
    secondary("link check's report", REPORT,
              lambda: press(RADIO, "Links") and command(popup_menu(), CHECK))
    secondary("add engine dialog", [(BUTTON, "Add", "Hinzufügen")],
              from_menu(("More engines", "Weitere Suchmaschinen"),
                        ("Add engine...", "Suchmaschine hinzufügen ...")), CLOSE)


def file_holds(name, text):
    try:
        with open(os.path.join(DATA, name), "rb") as f:
            return text.encode() in f.read()
    except OSError:
        return False


def main():
    pyatspi.setTimeout(3000, 15000)
    pyatspi.Registry.registerEventListener(lambda e: focused.append(e.source),
                                           "object:state-changed:focused")
    if within(60, application) is None or \
            within(30, lambda: any(role(a) == TEXT for a in objects())) is None:
        print("FAILED: trov did not show its window on the accessibility bus")
        return 1
    check("collapsed form", COLLAPSED)
    google = find(RADIO, "Google")
    if google is None or not google.getState().contains(pyatspi.STATE_CHECKED):
        failures.append("collapsed form: the chosen engine Google is not checked")

    # One search, collapsed, to the default browser (a stand-in that records the address).
    words = find(TEXT, say(COLLAPSED[0][1:]))
    if words is not None:
        words.queryEditableText().setTextContents("accessible words")
    press(BUTTON, say(COLLAPSED[1][1:]))
    if words is None or not within(20, lambda: file_holds("HistGrid.cld", "accessible words")
                  and file_holds("gs1001.sgg", "accessible words")):
        failures.append("the search was not recorded in the history and the suggestions")

    press(BUTTON, say(COLLAPSED[4][1:]))
    within(10, lambda: find(BUTTON, say(EXPANDED[0][1:])))
    check("expanded form", EXPANDED)
    press(RADIO, "Wikipedia")
    exact = within(5, lambda: (lambda e: e if e and e.description else None)(
        find(TEXT, say(EXPANDED[1][1:]))))
    if exact is None or exact.description != say(GREYED):
        failures.append("expanded form: the exact field is not described as ignored by Wikipedia")
    if not find(RADIO, "Wikipedia").getState().contains(pyatspi.STATE_CHECKED):
        failures.append("expanded form: the chosen engine Wikipedia is not checked")
    press(RADIO, "Google")
    secondary_windows()

    for f in failures:
        print("FAILED:", f)
    print(f"{LANG}: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
