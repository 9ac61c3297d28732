#!/usr/bin/python3
"""The main window to each of its eight windows and back, by keyboard alone: the tab order carries the
focus from button to button, Space opens the window (active, in front), Escape closes it and the focus
is back on the button that opened it; "Ukončení programu" ends the program, which keeps its position."""
import os

import roads
from roads import MAIN, kvdesk
from kvdesk import RoadFailure

# The main window's buttons in tab order, each with the window it opens (None: the manual menu).
BUTTONS = [
    ('Nová objednávka', 'Nová objednávka....'),
    ('Seznam objednávek', 'Seznam vystavených objednávek...'),
    ('Seznam dodavatelů', 'Seznam dodavatelů....'),
    ('Seznam uživatelů', 'Seznam uživatelů...'),
    ('Způsoby platby', 'Způsoby platby...'),
    ('Typy dopravy', 'Typ dopravy....'),
    ('Nastavení systému', 'Nastavení systému...'),
    ('Manuál', None),
    ('O programu', 'O programu....'),
]


def answer_by_keys(d, dialog, button):
    """Tab through a question to the button and press it with Space."""
    for _ in range(6):
        f = d.focused(dialog)
        if f is not None and kvdesk.plain(kvdesk.name(f)) == button:
            d.key('space')
            return
        d.key('Tab')
    raise RoadFailure('the keyboard never reached %r' % button)


def road(d):
    d.wait_focus('Nová objednávka', 'push button')
    for button, title in BUTTONS:
        d.wait_focus(button, 'push button')
        if title is None:
            d.key('Tab')
            continue
        kvdesk.log('%s -> %s' % (button, title))
        d.key('space')
        d.window(title)
        d.wait_active(title)
        d.key('Escape')
        if title == roads.NEW_ORDER:
            # nothing was typed; should the window ask anyway, it is answered by keyboard too
            try:
                q = d.message('Opravdu zrušit započatou objednávku?', seconds=1.5)
                answer_by_keys(d, q, 'Ano')
            except RoadFailure:
                pass
        d.gone(title)
        d.wait_active(MAIN)
        d.wait_focus(button, 'push button')
        d.key('Tab')
    d.wait_focus('Ukončení programu', 'push button')
    d.key('space')
    kvdesk.wait_for(lambda: d.program.popen.poll() is not None, 'the program to end')
    if d.program.popen.returncode != 0:
        raise RoadFailure('the program ended with %r' % d.program.popen.returncode)
    ini = open(os.path.join(d.folder, 'SETUP.INI'), 'rb').read().decode('cp1250')
    if 'Poloha zleva' not in ini or 'Poloha odshora' not in ini:
        raise RoadFailure('the main window did not keep its position in SETUP.INI:\n%s' % ini)


kvdesk.run(road)
