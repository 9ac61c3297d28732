#!/usr/bin/python3
"""The print preview's picture exports: "Tisk seznamu" of the orders list opens the preview; its picture
button asks where to save through the save dialog, the typed name gets the chosen kind's extension and
the file is a PNG picture; the pictures button writes one picture a page. The preview closes back to
the list and leaves no temp.png behind."""
import os

import roads
from roads import MAIN, ORDERS, kvdesk
from kvdesk import RoadFailure, wait_for

PREVIEW = 'Seznam objednávek'


def is_png(path):
    try:
        with open(path, 'rb') as f:
            return f.read(8) == b'\x89PNG\r\n\x1a\n' and os.path.getsize(path) > 1000
    except OSError:
        return False


def save_as(d, button, path):
    """Presses the export button and answers the save dialog with a typed path and Enter."""
    before = set(d.titles())
    d.press(button)
    dialog = wait_for(lambda: next((w for w in d.showing_windows()
                                    if kvdesk.name(w) not in before and kvdesk.role(w) in ('dialog', 'frame')),
                                   None), 'the save dialog of %r' % button)
    kvdesk.log('save dialog %r' % kvdesk.name(dialog))
    d.wait_active(kvdesk.name(dialog))
    # the file name box has the focus; a whole path typed there chooses the folder too
    name_box = wait_for(lambda: d.focused(dialog), 'the focus in the save dialog')
    d.fill(name_box, path)
    d.key('Return')
    d.gone(kvdesk.name(dialog), seconds=40)


def road(d):
    out = os.path.join(d.root, 'export')
    os.makedirs(out)
    list_window = roads.open_orders_list(d)
    d.press('Tisk seznamu', root=list_window)
    d.window(PREVIEW, seconds=40)
    d.wait_active(PREVIEW)

    save_as(d, 'Exportovat report do bitmapového obrázku (PNG, JPG, BMP)', os.path.join(out, 'seznam'))
    wait_for(lambda: is_png(os.path.join(out, 'seznam.png')), 'seznam.png, a PNG picture (folder holds %r)'
             % os.listdir(out), seconds=40)
    d.wait_active(PREVIEW)

    save_as(d, 'Exportovat report do bitmapových obrázků  (PNG, JPG, BMP)', os.path.join(out, 'strana.png'))
    wait_for(lambda: [f for f in os.listdir(out) if f.startswith('strana') and is_png(os.path.join(out, f))],
             'a picture a page named strana... (folder holds %r)' % os.listdir(out), seconds=40)
    d.wait_active(PREVIEW)

    d.press(roads.CLOSE_PREVIEW)
    d.gone(PREVIEW)
    d.wait_active(ORDERS)
    if os.path.exists(os.path.join(d.folder, 'temp.png')):
        raise RoadFailure('temp.png is left in the program folder')
    d.press('Zavřít', root=list_window)
    d.wait_active(MAIN)


kvdesk.run(road)
