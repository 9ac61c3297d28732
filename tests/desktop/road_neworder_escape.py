#!/usr/bin/python3
"""Escape in a typed order asks before throwing it away, as "Zavřít" does: in a box of the first page and
inside the order text. "Ne" keeps the window with what was typed; "Ano" closes it, and the next showing
starts empty."""
import roads
from roads import MAIN, NEW_ORDER, kvdesk
from kvdesk import RoadFailure, text_of, wait_for

QUESTION = 'Opravdu zrušit započatou objednávku?'


def escape_asks(d, what):
    d.key('Escape')
    try:
        return d.message(QUESTION, seconds=5)
    except RoadFailure:
        raise RoadFailure('Escape %s closed the order without asking %r (showing: %r)'
                          % (what, QUESTION, d.titles()))


def road(d):
    w = roads.open_new_order(d)
    supplier = roads.edit(d, w, 'Dodavatel:')
    d.fill(supplier, 'Dřevo Hradec s.r.o.')
    q = escape_asks(d, 'in the supplier box')
    d.answer(q, 'Ne')
    d.wait_active(NEW_ORDER)
    if text_of(supplier) != 'Dřevo Hradec s.r.o.':
        raise RoadFailure('"Ne" lost the typed supplier: %r' % text_of(supplier))

    d.click(roads.tab(d, w, 'Text objednávky...'))
    memo = d.find(w, 'text', 'Text objednávky')
    d.fill(memo, 'Objednáváme 3 palety.')
    q = escape_asks(d, 'inside the order text')
    d.answer(q, 'Ne')
    d.wait_active(NEW_ORDER)
    if text_of(memo) != 'Objednáváme 3 palety.':
        raise RoadFailure('"Ne" lost the order text: %r' % text_of(memo))

    d.click(memo)
    q = escape_asks(d, 'inside the order text, the second time')
    d.answer(q, 'Ano')
    d.gone(NEW_ORDER)
    d.wait_active(MAIN)

    w = roads.open_new_order(d)
    supplier = roads.edit(d, w, 'Dodavatel:')
    wait_for(lambda: text_of(supplier) == '', 'the reopened order to start empty')


kvdesk.run(road)
