#!/usr/bin/python3
"""Code lists by mouse and keys: a payment method added (its twin refused), deleted through the navigator
after "Vymazat záznam?"; the main window refuses clicks while a code list is modal; a user added, edited
and deleted. The database follows each step."""
import roads
from roads import MAIN, kvdesk
from kvdesk import RoadFailure, text_of, wait_for

PAYMENTS = 'Způsoby platby...'
USERS = 'Seznam uživatelů...'
USER_BOXES = [('Iniciály:', 'JN'), ('Titul:', 'Ing.'), ('Jméno:', 'Jana'), ('Příjmení:', 'Nováková'),
              ('Funkce:', 'nákupčí'), ('E-mail:', 'novakova@example.cz'), ('Telefon:', '495123456')]
USER_SQL = ('SELECT "Inicialy", "Titul", "Jmeno", "Prijmeni", "Funkce", "Email", "Telefon" '
            'FROM "Uzivatele"')


def count(d, sql):
    return int(d.db.value(sql) or 0)


def delete_current(d, window, what):
    d.press('Vymazat záznam', root=window)
    d.answer(d.message('Vymazat záznam?'), 'OK')
    d.wait_active(window_title(window))
    kvdesk.log('deleted %s' % what)


def window_title(window):
    return kvdesk.name(window)


def payments(d):
    d.press('Způsoby platby')
    w = d.window(PAYMENTS)
    d.wait_active(PAYMENTS)
    box = roads.edit(d, w, 'Způsob platby:')
    add = d.find(w, 'push button', 'Přidat způsob platby')
    if d.enabled(add):
        raise RoadFailure('"Přidat způsob platby" is enabled with an empty box')
    d.fill(box, 'Dobírka')
    d.press('Přidat způsob platby', root=w)
    wait_for(lambda: text_of(box) == '', 'the box to empty after adding')
    d.db.wait_rows('SELECT "Platba" FROM "Platba"', lambda r: r == [('Dobírka',)], 'the added payment method')

    # the main window is blocked while the code list is modal
    d.click(d.find(d.window(MAIN), 'push button', 'Typy dopravy'))
    d.stays_away('Typ dopravy....', 2, 'a click on the main window opened "Typ dopravy...." beside a modal window')
    d.wait_active(PAYMENTS)

    d.fill(box, 'Dobírka')
    d.press('Přidat způsob platby', root=w)
    d.answer(d.message('Tento způsob platby je již v tabulce zadán!'), 'OK')
    d.wait_active(PAYMENTS)
    if count(d, 'SELECT COUNT(*) FROM "Platba"') != 1:
        raise RoadFailure('the twin payment method was stored')

    d.click(roads.grid_cell(d, w, 'Dobírka'))
    delete_current(d, w, 'the payment method')
    d.db.wait_rows('SELECT COUNT(*) FROM "Platba"', lambda r: r == [('0',)], 'the payment method deleted')
    d.press('Zavřít', root=w)
    d.gone(PAYMENTS)
    d.wait_active(MAIN)


def users(d):
    d.press('Seznam uživatelů')
    w = d.window(USERS)
    d.wait_active(USERS)
    d.click(roads.tab(d, w, 'Přidání / úprava uživatele'))
    for caption, value in USER_BOXES:
        d.fill(roads.edit(d, w, caption), value)
    d.press('Uložit změny', root=w)
    wait_for(lambda: d.present(w, 'table'), 'the list page after saving')
    d.db.wait_rows(USER_SQL, lambda r: r == [tuple(v for _, v in USER_BOXES)], 'the added user')

    d.click(roads.tab(d, w, 'Přidání / úprava uživatele'))
    job = roads.edit(d, w, 'Funkce:')
    wait_for(lambda: text_of(job) == 'nákupčí', 'the current user in the boxes')
    d.fill(job, 'vedoucí nákupu')
    d.press('Uložit změny', root=w)
    wait_for(lambda: d.present(w, 'table'), 'the list page after saving the change')
    edited = [v if c != 'Funkce:' else 'vedoucí nákupu' for c, v in USER_BOXES]
    d.db.wait_rows(USER_SQL, lambda r: r == [tuple(edited)], 'the edited user (still one)')

    delete_current(d, w, 'the user')
    d.db.wait_rows('SELECT COUNT(*) FROM "Uzivatele"', lambda r: r == [('0',)], 'the user deleted')
    d.press('Zavřít', root=w)
    d.gone(USERS)
    d.wait_active(MAIN)


def road(d):
    payments(d)
    users(d)


kvdesk.run(road)
