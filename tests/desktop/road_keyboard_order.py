#!/usr/bin/python3
"""A whole order by keyboard alone, no pointer: Enter on the main window's "Nová objednávka"; in the new
order window the focus starts in a box; F4 in the payment, transport, orderer and supplier boxes opens
each pick window, whose current record Escape takes over; Enter moves from box to box, Ctrl+Tab turns to
the text page and its box; Tab and Enter reach "Hotovo - tisk...", Alt+A answers its question, Escape
closes the preview; in the orders list Tab and Enter settle the order. The order is stored as typed and
picked, under its number, and settled."""
import datetime

import roads
from roads import MAIN, NEW_ORDER, ORDERS, kvdesk
from kvdesk import RoadFailure, text_of, wait_for

SUPPLIER = 'Pila Dvořák s.r.o.'
TEXT = 'Prkna smrková - 40 ks'


def stored_before(db):
    db.execute('INSERT INTO "Platba" ("Platba") VALUES (\'Převodem\')')
    db.execute('INSERT INTO "Doprava" ("Doprava") VALUES (\'Kurýr\')')
    db.execute('INSERT INTO "Uzivatele" ("Titul", "Prijmeni", "Jmeno", "Inicialy", "Email", "Funkce", "Telefon") '
               'VALUES (\'Ing.\', \'Nováková\', \'Jana\', \'JN\', \'novakova@example.cz\', \'nákupčí\', '
               '\'495 123 456\')')
    db.execute('INSERT INTO "Obory" ("Obor") VALUES (\'Dřevo\')')
    db.execute('INSERT INTO "Dodavatele" ("Nazev", "Obor", "Zastupce", "Ulice", "Obec", "PSC", "Email") '
               'VALUES (\'%s\', \'Dřevo\', \'Petr Dvořák\', \'Lesní 4\', \'Trutnov\', \'54101\', '
               '\'obchod@pila-dvorak.cz\')' % SUPPLIER)


def focused_name(d):
    f = d.focused()
    return kvdesk.plain(kvdesk.name(f)) if f is not None else None


def tab_to(d, name, key='Tab', most=30):
    """Tab (or the given key) until the focus is on the control of that name."""
    for _ in range(most):
        if focused_name(d) == name:
            return
        d.key(key)
    d.wait_focus(name)


def pick(d, window, box, expected):
    """F4 in the box opens its pick window; Escape closes it and the box holds what was current there."""
    tab_to(d, box)
    before = d.active_title()
    d.key('F4')
    wait_for(lambda: d.active_title() not in (None, before), 'the pick window of %r to be active' % box)
    picked = d.active_title()
    kvdesk.log('pick window %r' % picked)
    d.key('Escape')
    d.gone(picked)
    d.wait_active(NEW_ORDER)
    edit = roads.edit(d, window, box)
    wait_for(lambda: text_of(edit) == expected, 'the box %r to hold %r' % (box, expected))
    d.wait_focus(box)


def road(d):
    d.wait_active(MAIN)
    d.wait_focus('Nová objednávka')
    d.key('Return')
    w = d.window(NEW_ORDER)
    d.wait_active(NEW_ORDER)
    first = wait_for(lambda: d.focused(), 'the focus in the new order window')
    if kvdesk.role(first) not in ('text', 'entry', 'spin button', 'combo box'):
        raise RoadFailure('the new order window opens with the focus on %s %r, not in a box'
                          % (kvdesk.role(first), kvdesk.name(first)))

    pick(d, w, 'Způsob platby:', 'Převodem')
    d.key('Return')
    d.wait_focus('Doprava zboží:')
    pick(d, w, 'Doprava zboží:', 'Kurýr')
    d.key('Return')
    d.wait_focus('Objednal:')
    pick(d, w, 'Objednal:', 'Ing. Jana Nováková')
    pick(d, w, 'Dodavatel:', SUPPLIER)

    d.key('ctrl+Tab')
    d.wait_focus('Text objednávky')
    d.type(TEXT)
    d.key('ctrl+shift+Tab')
    tab_to(d, 'Hotovo - tisk...')
    d.key('Return')
    question = d.message('Opravdu chcete dokončit objednávku?')
    d.key('alt+a')  # the question's "&Ano"
    d.gone(kvdesk.name(question))
    d.window('Objednávka', seconds=40)
    d.wait_active('Objednávka')
    d.key('Escape')
    d.gone('Objednávka')
    d.gone(NEW_ORDER)
    roads.back_to_main(d)

    number = roads.order_number_prefix() + '00001/JN'
    rows = d.db.wait_rows('SELECT "Zpusob_platby", "Doprava", "Objednal", "Dod_firma", "Text" FROM "Kalmorvaty" '
                          'WHERE "Cislo" = \'%s\'' % number, lambda r: len(r) == 1, 'the order %s stored' % number)
    got = rows[0][:4] + (rows[0][4].strip(),)
    if got != ('Převodem', 'Kurýr', 'Ing. Jana Nováková', SUPPLIER, TEXT):
        raise RoadFailure('the order %s holds %r' % (number, got))

    tab_to(d, 'Seznam objednávek')
    d.key('Return')
    d.window(ORDERS)
    d.wait_active(ORDERS)
    tab_to(d, 'Vyřízena!')
    d.key('Return')
    question = d.message('Opravdu je objednávka číslo %s vyřízena?' % number)
    d.key('alt+a')  # the question's "&Ano"
    d.gone(kvdesk.name(question))
    d.wait_active(ORDERS)
    settled = d.db.wait_rows('SELECT "Vyrizena_dne" FROM "Kalmorvaty" WHERE "Cislo" = \'%s\'' % number,
                             lambda r: len(r) == 1 and r[0][0], 'the order %s settled' % number)
    if not str(settled[0][0]).startswith(datetime.date.today().isoformat()):
        raise RoadFailure('the order was settled at %r' % settled[0][0])
    d.key('Escape')
    d.gone(ORDERS)
    d.wait_active(MAIN)


if __name__ == '__main__':
    kvdesk.run(road, beforehand=stored_before)
