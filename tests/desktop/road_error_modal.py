#!/usr/bin/python3
"""An error nobody handles, raised while the orders list is modal: the orders table renamed away behind
the program's back, then the navigator's refresh. "KRITICKÁ CHYBA APLIKACE" comes up above the list;
a real click on "Pokračovat" closes it and the clerk is back in the list; a second error is dismissed
with Enter the same way. With the table back the list works again, and the log holds both errors."""
import os

import roads
from roads import MAIN, ORDERS, kvdesk
from kvdesk import RoadFailure, wait_for

ERROR = 'KRITICKÁ CHYBA APLIKACE'


def raise_error(d, w):
    d.press('Obnovit data', root=w)
    e = d.window(ERROR, seconds=40)
    stack = d.stacking()
    kvdesk.log('stacking, bottom first: %r' % stack)
    if ERROR in stack and ORDERS in stack and stack.index(ERROR) < stack.index(ORDERS):
        raise RoadFailure('the error window lies below the modal list: %r' % stack)
    return e


def dismissed(d, how):
    """Whether the error window went and the list is active again; what went wrong otherwise."""
    try:
        d.gone(ERROR)
    except RoadFailure:
        return '%s did not reach the error window above the modal list' % how
    try:
        d.wait_active(ORDERS)
    except RoadFailure as e:
        return 'after %s the list is not active again: %s' % (how, e)
    return None


def road(d):
    w = roads.open_orders_list(d)
    d.db.execute('ALTER TABLE "Kalmorvaty" RENAME TO "Kalmorvaty_jinde"')

    e = raise_error(d, w)
    d.press('Pokračovat', root=e)
    by_click = dismissed(d, 'a real click on "Pokračovat"')
    if by_click:
        # the same error window tells whether the keyboard reaches it either
        d.key('Return')
        by_key = dismissed(d, 'Enter')
        raise RoadFailure(by_click + ('; ' + by_key if by_key else '; Enter did reach it'))

    raise_error(d, w)
    d.key('Return')
    by_key = dismissed(d, 'Enter')
    if by_key:
        raise RoadFailure(by_key)

    d.db.execute('ALTER TABLE "Kalmorvaty_jinde" RENAME TO "Kalmorvaty"')
    d.press('Obnovit data', root=w)
    d.stays_away(ERROR, 3, 'the refresh still fails with the table back')
    d.press('Zavřít', root=w)
    d.gone(ORDERS)
    d.wait_active(MAIN)
    log = os.path.join(d.folder, 'Kalmorvaty.ERR')
    wait_for(lambda: os.path.exists(log), 'the error log Kalmorvaty.ERR')


kvdesk.run(road)
