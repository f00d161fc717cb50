#!/usr/bin/env python3
"""What a screen reader sees of the running program, through AT-SPI.

  atspi_tree.py letter      the letter window's names are all there
  atspi_tree.py preview     presses "Vorschau" and reads the preview's page view
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


def check_letter():
    window = frame("Zettelino")
    found = seen(window)
    missing = [f"{name} ({role})" for name, role in LETTER.items()
               if not any(n == name and r == role for n, r, _ in found)]
    if missing:
        print("not heard in the letter window:", ", ".join(missing))
        print("heard:", sorted({f"{n} ({r})" for n, r, _ in found if n}))
        return 1
    return 0


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
                return 0
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
