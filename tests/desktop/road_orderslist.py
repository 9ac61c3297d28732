#!/usr/bin/python3
"""The orders list: two orders entered, one settled with "Vyřízena!", the other cancelled with
"Stornována!" (each after its question naming the order); the filter window beside the modal list
stays usable and its states change what the grid shows; "Tisk seznamu" opens the list in the preview
and returns to the list; closing the list closes the filter too."""
import datetime

import roads
from roads import FILTER, MAIN, ORDER, ORDERS, kvdesk
from kvdesk import RoadFailure, wait_for

SECOND = dict(ORDER, **{'Objednal:': 'Pavel Kříž', 'Iniciály:': 'PK', 'Dodavatel:': 'Kovo Jičín a.s.'})


def shows(d, window, numbers, what):
    try:
        wait_for(lambda: sorted(roads.grid_numbers(d, window)) == sorted(numbers), what)
    except RoadFailure as e:
        raise RoadFailure('%s; the grid shows %r' % (e, roads.grid_numbers(d, window)))


def flags(d, number):
    rows = d.db.rows('SELECT "Vyrizena", "Stornovana", "Vyrizena_dne" FROM "Kalmorvaty" WHERE "Cislo" = \'%s\''
                     % number)
    v, s, when = rows[0]
    norm = lambda x: str(x).lower() in ('1', 't', 'true')  # noqa: E731
    return norm(v), norm(s), when


def settle(d, w, number, button, question, expected):
    d.click(roads.grid_cell(d, w, number))
    d.press(button, root=w)
    d.answer(d.message(question), 'Ano')
    d.wait_active(ORDERS)
    wait_for(lambda: flags(d, number)[:2] == expected, '%s to mark the order %s' % (button, number))
    when = flags(d, number)[2] or ''
    if not when.startswith(datetime.date.today().isoformat()):
        raise RoadFailure('the order %s was settled at %r, not today' % (number, when))


def road(d):
    first = roads.order_number_prefix() + '00001/JN'
    second = roads.order_number_prefix() + '00002/PK'
    roads.enter_order(d)
    roads.enter_order(d, SECOND, 'Objednáváme šrouby M8.')
    roads.check_order(d, second, SECOND, 'Objednáváme šrouby M8.')

    w = roads.open_orders_list(d)
    shows(d, w, [first, second], 'both open orders in the list')
    settle(d, w, first, 'Vyřízena!', 'Opravdu je objednávka číslo %s vyřízena?' % first, (True, False))
    settle(d, w, second, 'Stornována!', 'Opravdu chcete STORNOVAT objednávku číslo %s?' % second, (True, True))

    d.press('Filtr...', root=w)
    f = d.window(FILTER)
    d.press('Vyřízené objednávky', root=f, role_name='radio button')
    shows(d, w, [first], 'the completed order alone under "Vyřízené objednávky"')
    d.press('Stornované objednávky', root=f, role_name='radio button')
    shows(d, w, [second], 'the cancelled order alone under "Stornované objednávky"')
    d.press('Veškeré objednávky', root=f, role_name='radio button')
    shows(d, w, [first, second], 'both orders under "Veškeré objednávky"')

    d.press('Tisk seznamu', root=w)
    d.window('Seznam objednávek', seconds=40)
    d.wait_active('Seznam objednávek')
    d.press(roads.CLOSE_PREVIEW)
    d.gone('Seznam objednávek')
    d.wait_active(ORDERS)

    d.press('Zavřít', root=w)
    d.gone(ORDERS)
    d.gone(FILTER)
    d.wait_active(MAIN)


kvdesk.run(road)
