#!/usr/bin/python3
"""A new order end to end, on the embedded database: "Hotovo - tisk..." on an empty window names the
missing payment method and opens the payment methods over the order; a method added there is taken
over when that window closes; the rest typed, the text on its own page, the question answered, the
order form in the preview; the order in the database as typed, under a number of this month."""
import roads
from roads import NEW_ORDER, ORDER, kvdesk
from kvdesk import RoadFailure, text_of, wait_for


def road(d):
    w = roads.open_new_order(d)
    d.press('Hotovo - tisk...', root=w)
    d.answer(d.message('Není vybrán, nebo zadán způsob platby!'), 'OK')
    # the follow-up: the payment methods open over the order, and what is current there is taken over
    p = d.window('Způsoby platby...')
    d.wait_active('Způsoby platby...')
    box = roads.edit(d, p, 'Způsob platby:')
    d.fill(box, ORDER['Způsob platby:'])
    d.press('Přidat způsob platby', root=p)
    wait_for(lambda: text_of(box) == '', 'the payment box to empty after adding')
    d.press('Zavřít', root=p)
    d.gone('Způsoby platby...')
    d.wait_active(NEW_ORDER)
    payment = roads.edit(d, w, 'Způsob platby:')
    wait_for(lambda: text_of(payment) == ORDER['Způsob platby:'], 'the picked payment method in the order')
    rest = dict(ORDER)
    del rest['Způsob platby:']
    roads.fill_order(d, w, rest)
    roads.complete_order(d, w)
    number = roads.order_number_prefix() + '00001/JN'
    roads.check_order(d, number)
    if d.db.value('SELECT COUNT(*) FROM "Platba" WHERE "Platba" = \'%s\'' % ORDER['Způsob platby:']) != '1':
        raise RoadFailure('the payment method added on the way is not stored once')
    last = d.db.value('SELECT "PosledniObj" FROM "System"')
    if (last or '').strip() != number:
        raise RoadFailure('the settings keep %r as the last order number, not %r' % (last, number))
    roads.back_to_main(d)


if __name__ == '__main__':
    kvdesk.run(road)
