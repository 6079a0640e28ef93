"""Reads the running Gradoir through the desktop's accessibility bus (AT-SPI),
as a screen reader does: the names of its controls, the canvas's description,
and the lamps and verdict after a wrong answer given through the bus itself.
Exit status 0 when everything reads as expected, 1 otherwise."""
import sys
import time

import pyatspi
from gi.repository import GLib

ICON_BUTTONS = ["Vérifier", "Suite", "Crayon", "Déplacer et tourner le rapporteur",
                "Afficher ou cacher le rapporteur", "Centrer le rapporteur"]


def nodes(root, depth=0):
    """Every accessible below root (a bounded walk: the window is small)."""
    if root is None or depth > 25:
        return
    yield root
    for i in range(root.childCount):
        try:
            child = root.getChildAtIndex(i)
        except Exception:
            continue
        yield from nodes(child, depth + 1)


def find_application(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def wait_for(condition, seconds=5.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = condition()
        if found:
            return found
        time.sleep(0.1)
    return condition()


def named(app, name, role=None):
    for node in nodes(app):
        if node.name == name and (role is None or node.getRoleName() == role):
            return node
    return None


def main():
    failures = []
    app = find_application("Gradoir", 15)
    if app is None:
        print("atspi: no application named Gradoir on the accessibility bus")
        return 1

    # The pupil's first step, through the bus: Exercice > Mesurer un angle.
    measure = wait_for(lambda: named(app, "Mesurer un angle"))
    if measure is None:
        print("atspi: no menu item 'Mesurer un angle'")
        return 1
    measure.queryAction().doAction(0)

    for name in ICON_BUTTONS:
        node = wait_for(lambda: named(app, name))
        if node is None:
            failures.append("no control named %r" % name)
        elif not any(kind in node.getRoleName() for kind in ("button", "check box")):
            failures.append("%r is a %s, not a button or toggle" % (name, node.getRoleName()))
    canvas = wait_for(lambda: named(app, "Exercice"))
    if canvas is None or "Le rapporteur a son centre en" not in canvas.description:
        failures.append("canvas 'Exercice' without the protractor's place: %r"
                        % (canvas.description if canvas else None))
    elif canvas.getRoleName() != "canvas":
        failures.append("'Exercice' is a %s, not a canvas" % canvas.getRoleName())
    elif not canvas.description.startswith("Mesure l'angle tracé."):
        failures.append("canvas description without the statement: %r" % canvas.description)
    if wait_for(lambda: named(app, "Essais : pas encore, pas encore, pas encore")) is None:
        failures.append("no lamps named 'Essais : pas encore, pas encore, pas encore'")

    # A wrong answer typed and checked through the bus reads on the lamps and verdict.
    answer = wait_for(lambda: named(app, "Réponse"))
    check = named(app, "Vérifier")
    if answer is None or check is None:
        failures.append("no answer box or check button to answer with")
    else:
        changed = []

        def on_name_change(event):
            try:
                changed.append(event.source.name)
            except Exception:
                pass

        def stop_when_heard():
            if "Erreur ..." in changed or time.monotonic() > give_up:
                pyatspi.Registry.stop()
                return False
            return True

        pyatspi.Registry.registerEventListener(on_name_change, "object:property-change:accessible-name")
        answer.queryEditableText().setTextContents("999")
        check.queryAction().doAction(0)
        # What a screen reader hears: the verdict label's name-change event.
        give_up = time.monotonic() + 5
        GLib.timeout_add(100, stop_when_heard)
        pyatspi.Registry.start()
        pyatspi.Registry.deregisterEventListener(on_name_change, "object:property-change:accessible-name")
        if "Erreur ..." not in changed:
            failures.append("no name-change event for the verdict 'Erreur ...' (heard %r)" % changed)
        else:
            print("atspi: name changes heard: %s" % ", ".join(repr(n) for n in changed))
        if wait_for(lambda: named(app, "Essais : faux, pas encore, pas encore")) is None:
            failures.append("lamps not read as 'Essais : faux, pas encore, pas encore' after a wrong answer")
        if wait_for(lambda: named(app, "Erreur ...")) is None:
            failures.append("verdict 'Erreur ...' not on the bus")

    for failure in failures:
        print("atspi: " + failure)
    if not failures:
        print("atspi: %d icon buttons, canvas, lamps and verdict read as expected" % len(ICON_BUTTONS))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
