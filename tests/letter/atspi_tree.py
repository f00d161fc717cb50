#!/usr/bin/env python3
"""What a screen reader sees of the running program, through AT-SPI.

  atspi_tree.py letter      the letter window's names are all there, none missing
  atspi_tree.py preview     presses "Vorschau", reads the preview's page view and commands
  atspi_tree.py warning     a message box is read with its text

Prints what is missing and exits 1; waits up to 30 s for the program to
appear on the accessibility bus.
"""
import subprocess
import sys
import time

import pyatspi

TICK_MARKS = [
    "Kenntnisnahme", "Anruf/Rücksprache", "Stellungnahme", "Kontrolle", "Erledigung",
    "Entscheidung", "Rücknahme", "Verbleib", "Sonstiges (Bitte um)",
    "Schreiben", "Rechnung", "Kopien", "Muster", "Vertrag", "Sonstiges (Anlagen)",
]
LETTER = {
    "Absender": "text", "Anschrift": "text", "Mitteilung": "text",
    "Betreff, Zeile 1": "text", "Betreff, Zeile 2": "text", "Ort, Datum": "text",
    "Sonstiges (Bitte um), Text": "text", "Sonstiges (Anlagen), Text": "text",
    "Textbaustein auswählen": "text",
    "Neu": "push button", "Öffnen": "push button", "Speichern": "push button",
    "Vorschau": "push button", "Drucken": "push button", "Editor": "push button",
    "Textbaustein einfügen": "push button", "Aktuelle Zeit einfügen": "push button",
    "Aktuelles Datum einfügen": "push button", "Standard-Absender laden": "push button",
}
LETTER.update({name: "check box" for name in TICK_MARKS})


def nodes(root, depth=0):
    """Every accessible below root, with its name and role."""
    if root is None or depth > 40:
        return
    yield root
    try:
        count = root.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = root.getChildAtIndex(i)
        except Exception:
            continue
        yield from nodes(child, depth + 1)


def frame(prefix, timeout=30):
    """The top-level window whose name starts with prefix."""
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None:
                continue
            for window in app:
                if window is not None and window.name.startswith(prefix):
                    return window
        time.sleep(0.5)
    sys.exit(f"no window named {prefix!r} on the accessibility bus")


def seen(window):
    return [(n.name, n.getRoleName(), n) for n in nodes(window)]


# Roles a reader announces by their name: none may go unnamed or be named
# by what only a programmer reads (an object name, the overflow's "»").
NAMED_ROLES = {"push button", "text", "tool bar", "toggle button"}


def unnamed(found):
    """The nodes of NAMED_ROLES a reader would hear without a German name."""
    bad = []
    for name, role, node in found:
        if role not in NAMED_ROLES:
            continue
        if not name.strip() or name.startswith("qt_") or "»" in name or "ToolBar" in name:
            bad.append(f"{name!r} ({role}, {node.getIndexInParent()} in {node.parent.name!r})")
    return bad


def check_letter():
    window = frame("Zettelino")
    found = seen(window)
    missing = [f"{name} ({role})" for name, role in LETTER.items()
               if not any(n == name and r == role for n, r, _ in found)]
    if missing:
        print("not heard in the letter window:", ", ".join(missing))
        print("heard:", sorted({f"{n} ({r})" for n, r, _ in found if n}))
        return 1
    bad = unnamed(found)
    if bad:
        print("heard without a name in the letter window:", ", ".join(bad))
        return 1
    return 0


def hidden_with_focus(found):
    """Nodes a reader would be told take or have the focus though nothing shows them."""
    bad = []
    for name, role, node in found:
        states = node.getState()
        if states.contains(pyatspi.STATE_SHOWING):
            continue
        if states.contains(pyatspi.STATE_FOCUSED) or (
                name in ("Miniaturbilder", "Suchergebnisse") and states.contains(pyatspi.STATE_FOCUSABLE)):
            bad.append(f"{name!r} ({role})")
    return bad


def check_preview_commands(preview):
    """The preview's commands and toolbars, named in German, nothing hidden with the focus."""
    found = seen(preview)
    wanted = ["Drucken", "Bericht speichern", "Bericht laden", "Nächste Seite", "Ansicht Zoom", "Schließen"]
    missing = [name for name in wanted if not any(n == name and r == "push button" for n, r, _ in found)]
    bars = [n for n, r, _ in found if r == "tool bar"]
    problems = []
    if missing:
        problems.append("no button " + ", ".join(missing))
    if not bars or not all(n.startswith("Symbolleiste") for n in bars):
        problems.append(f"toolbars named {bars!r}")
    bad = unnamed(found)
    if bad:
        problems.append("heard without a name: " + ", ".join(bad))
    hidden = hidden_with_focus(found)
    if hidden:
        problems.append("hidden, yet focusable or focused: " + ", ".join(hidden))
    for problem in problems:
        print("in the preview:", problem)
    return 1 if problems else 0


def check_preview():
    window = frame("Zettelino")
    button = next((node for name, role, node in seen(window) if name == "Vorschau" and role == "push button"), None)
    if button is None:
        print("no button Vorschau")
        return 1
    # Pressed where the bus says it is: the preview runs its own loop until
    # it closes, so pressing through the bus would wait for an answer that
    # comes only then.
    box = button.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2),
                    "click", "1"], check=True)
    preview = frame("Bericht Vorschau")
    end = time.time() + 30
    while time.time() < end:
        for name, role, node in seen(preview):
            if name == "Seite 1 von 2" and role != "label":
                if "Lieferung" not in (node.description or ""):
                    print("the page view does not offer the page's text:", repr(node.description)[:200])
                    return 1
                return check_preview_commands(preview)
        time.sleep(0.5)
    print("no page view named Seite 1 von 2; heard:",
          sorted({f"{n} ({r})" for n, r, _ in seen(preview) if n}))
    return 1


def check_warning():
    box = frame("Warnung")
    if not box.description.strip():
        print("the message box has no text for a reader; heard:", sorted({n for n, _, _ in seen(box) if n}))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit({"letter": check_letter, "preview": check_preview, "warning": check_warning}[sys.argv[1]]())
