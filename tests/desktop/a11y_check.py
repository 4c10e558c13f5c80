#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads trov's windows through the accessibility bus (AT-SPI) as a screen reader does.

    a11y_check.py en|de DATA_FOLDER

Reads the main window collapsed and expanded, working it through the controls' own actions;
fails on a showing control a person can act on that has no name or a combo box named by one
of its values, and on an expected control missing (the tables below, English and German).
Makes one search on the way, so the caller can compare the stores of the two languages. The
pop-up menus and the windows they open are not in the bus's tree of the application (Qt
leaves pop-ups out of it); window_names_test reads those through Qt's own accessibility.
"""
import os
import sys
import time

import pyatspi

LANG = sys.argv[1]
DATA = sys.argv[2]
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

failures = []


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


def window_named(title):
    return next((w for w in windows() if w.name == title), None)


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


def check(stage, expected):
    """Every actionable showing control has a name; the expected ones are there."""
    print(f"{LANG}: {stage}", flush=True)
    seen = set()
    for acc in objects():
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


def press(kind, name, wait=True):
    """Does the control's first action; a modal window it opens may hold the answer back."""
    acc = within(5, lambda: find(kind, name))
    if acc is None:
        failures.append(f"nothing to press: {kind} {name!r}")
        return False
    try:
        acc.queryAction().doAction(0)
    except Exception:  # the answer of an action that opened a modal window comes late
        pass
    if wait:
        time.sleep(0.3)
    return True


def file_holds(name, text):
    try:
        with open(os.path.join(DATA, name), "rb") as f:
            return text.encode() in f.read()
    except OSError:
        return False


def main():
    pyatspi.setTimeout(3000, 15000)
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

    for f in failures:
        print("FAILED:", f)
    print(f"{LANG}: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
