"""Steps several roads share: entering an order through the new order window, opening the orders list,
the print preview's close button, a recording stand-in for the desktop's mail hand-off."""
import datetime
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kvdesk  # noqa: E402
from kvdesk import RoadFailure, text_of, wait_for  # noqa: E402

MAIN = 'Kalmorvaty...'
NEW_ORDER = 'Nová objednávka....'
ORDERS = 'Seznam vystavených objednávek...'
FILTER = 'Filtrování objednávek...'
CLOSE_PREVIEW = 'Uzavření tiskového náhledu'

# The new order window's boxes by their captions, in tab order; the example order of the roads.
ORDER = {
    'Způsob platby:': 'Převodem',
    'Doprava zboží:': 'Kurýr',
    'Objednal:': 'Ing. Jana Nováková',
    'Funkce:': 'nákupčí',
    'Telefon:': '495 123 456',
    'E-mail:': 'novakova@example.cz',
    'Iniciály:': 'JN',
    'Dodavatel:': 'Dřevo Hradec s.r.o.',
    'Kontakt:': 'Petr Dvořák',
    'Ulice a ČP:': 'Pražská 12',
    'Obec:': 'Hradec Králové',
    'PSČ:': '50002',
}
ORDER_TEXT = 'Objednáváme 40 europalet.\nDodání na rampu č. 2.'

# The orders table's columns for the boxes above, in the same order.
ORDER_COLUMNS = ('Zpusob_platby', 'Doprava', 'Objednal', 'Funkce', 'Telefon', 'Email', None, 'Dod_firma',
                 'Dod_osoba', 'Dod_ulice', 'Dod_Obec', 'Dod_PSC')


def tab(d, window, caption):
    """A page tab by its caption (the captions carry blanks around them)."""
    return wait_for(lambda: next((a for a, _ in kvdesk.walk(window)
                                  if kvdesk.role(a) == 'page tab' and kvdesk.name(a).strip() == caption), None),
                    'the tab %r' % caption)


def edit(d, window, caption):
    return d.find(window, 'text', caption)


def open_new_order(d):
    d.press('Nová objednávka')
    w = d.window(NEW_ORDER)
    d.wait_active(NEW_ORDER)
    return w


def fill_order(d, w, values=ORDER, text=ORDER_TEXT):
    for caption, value in values.items():
        d.fill(edit(d, w, caption), value)
    # each box took its text; none may have lost it while the next ones were typed
    held = {caption: text_of(edit(d, w, caption)) for caption in values}
    changed = {c: v for c, v in held.items() if v != values[c]}
    if changed:
        raise RoadFailure('boxes lost what was typed into them: %r (typed %r)' % (changed, values))
    d.click(tab(d, w, 'Text objednávky...'))
    d.fill(d.find(w, 'text', 'Text objednávky'), text)


def complete_order(d, w):
    """"Hotovo - tisk..." with its question answered: the order form shows in the preview, whose closing
    closes the new order window too."""
    d.press('Hotovo - tisk...', root=w)
    d.answer(d.message('Opravdu chcete dokončit objednávku?'), 'Ano')
    d.window('Objednávka', seconds=40)
    d.wait_active('Objednávka')
    d.press(CLOSE_PREVIEW)
    d.gone('Objednávka')
    d.gone(NEW_ORDER)


def back_to_main(d):
    """Back in the main window after the order's preview has closed it and the new order window. Now and
    then no window is active then (the preview and the order window go one right after the other, and the
    window manager's focus lands on neither); the keys would reach nothing, so a person clicks the main
    window's free space, and so does the road, saying so."""
    try:
        d.wait_active(MAIN, seconds=5)
        return
    except RoadFailure:
        kvdesk.log('NOTE: no window active after the order\'s preview closed; clicking the main window')
    d.click(d.find(d.window(MAIN), 'frame', index=0))  # a separator line
    d.wait_active(MAIN)


def enter_order(d, values=ORDER, text=ORDER_TEXT):
    w = open_new_order(d)
    fill_order(d, w, values, text)
    complete_order(d, w)
    back_to_main(d)


def order_number_prefix():
    today = datetime.date.today()
    return '%04d/%02d/' % (today.year, today.month)


def check_order(d, number, values=ORDER, text=ORDER_TEXT):
    """The order's row holds what was typed, both state flags off and today's date of issue."""
    cols = [c for c in ORDER_COLUMNS if c]
    rows = d.db.wait_rows('SELECT "Cislo", %s, "Text", "Vyrizena", "Stornovana", "Datum" FROM "Kalmorvaty" '
                          'WHERE "Cislo" = \'%s\'' % (', '.join('"%s"' % c for c in cols), number),
                          lambda r: len(r) == 1, 'the order %s in the database' % number)
    row = rows[0]
    expected = [v for c, v in zip(ORDER_COLUMNS, values.values()) if c]
    got = list(row[1:1 + len(cols)])
    if got != expected:
        raise RoadFailure('the order %s holds %r, typed was %r' % (number, got, expected))
    stored_text = row[1 + len(cols)].replace('\r\n', '\n')
    if stored_text != text:
        raise RoadFailure('the order text is %r, typed was %r' % (stored_text, text))
    flags = [str(v).lower() for v in row[2 + len(cols):4 + len(cols)]]
    if any(f not in ('0', 'f', 'false') for f in flags):
        raise RoadFailure('a new order is already settled: Vyrizena, Stornovana = %r' % flags)
    if not str(row[-1]).startswith(datetime.date.today().isoformat()):
        raise RoadFailure('the order is dated %r, not today' % row[-1])


def open_orders_list(d):
    d.press('Seznam objednávek')
    w = d.window(ORDERS)
    d.wait_active(ORDERS)
    return w


def grid_numbers(d, window):
    """The order numbers the list's grid shows, read through the grid's table interface."""
    grid = d.find(window, 'table')
    t = grid.queryTable()
    column = None
    for c in range(t.nColumns):
        if kvdesk.name(t.getColumnHeader(c)) in ('Číslo:', 'Číslo'):
            column = c
    if column is None:
        column = 0
    out = []
    for r in range(t.nRows):
        cell = t.getAccessibleAt(r, column)
        out.append(text_of(cell).strip() or kvdesk.name(cell).strip())
    return [n for n in out if n]


def grid_cell(d, window, number):
    grid = d.find(window, 'table')

    def look():
        t = grid.queryTable()
        for r in range(t.nRows):
            for c in range(t.nColumns):
                cell = t.getAccessibleAt(r, c)
                if (text_of(cell).strip() or kvdesk.name(cell).strip()) == number:
                    return cell
        return None
    return wait_for(look, 'the order %s in the grid' % number)


class MailClient:
    """xdg-email, xdg-mime and xdg-open first on the program's PATH: xdg-email records its arguments,
    xdg-mime names the desktop's mailto: handler as set by handler(), xdg-open records what it opens."""
    RECORDER = """#!/bin/sh
# records its arguments, each ended by a zero byte, as the mail client would get them
out="$(dirname "$0")/xdg-email.args"
for a in "$@"; do printf '%s\\0' "$a"; done > "$out.part" && mv "$out.part" "$out"
"""
    MIME = """#!/bin/sh
cat "$(dirname "$0")/mailto-handler"
"""
    OPENER = """#!/bin/sh
printf '%s' "$1" > "$(dirname "$0")/xdg-open.args"
"""

    def __init__(self, d, desktop_file='thunderbird.desktop'):
        self.d = d
        self.record = os.path.join(d.bin, 'xdg-email.args')
        self.opened = os.path.join(d.bin, 'xdg-open.args')
        self._script('xdg-email', self.RECORDER)
        self._script('xdg-mime', self.MIME)
        self._script('xdg-open', self.OPENER)
        self.handler(desktop_file)

    def _script(self, name, text):
        path = os.path.join(self.d.bin, name)
        with open(path, 'w') as f:
            f.write(text)
        os.chmod(path, 0o755)

    def handler(self, desktop_file):
        with open(os.path.join(self.d.bin, 'mailto-handler'), 'w') as f:
            f.write(desktop_file + '\n')

    def forget(self):
        if os.path.exists(self.record):
            os.remove(self.record)

    def arguments(self):
        """What xdg-email got, once it has been called."""
        wait_for(lambda: os.path.exists(self.record), 'the mail client to be called (%s)' % self.record, seconds=40)
        args = open(self.record, 'rb').read().decode().split('\0')[:-1]
        kvdesk.log('xdg-email %r' % args)
        return args


def after(args, flag):
    """The value after a flag of xdg-email's arguments."""
    if flag not in args or args.index(flag) + 1 >= len(args):
        raise RoadFailure('xdg-email got no %s: %r' % (flag, args))
    return args[args.index(flag) + 1]
