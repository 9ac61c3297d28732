#!/usr/bin/python3
"""The print preview's picture exports: "Tisk seznamu" of the orders list opens the preview; its picture
button asks where to save through the save dialog, the typed name gets the chosen kind's extension and
the file is a PNG picture; the pictures button writes one picture a page; the PDF button writes a PDF
whose pages poppler's pdfinfo counts as the preview does; the spreadsheet button writes a workbook that
openpyxl reads, and its offer to open it is declined; the HTML button writes the list's document. The
preview closes back to the list and leaves no temp.png behind."""
import os
import subprocess

import openpyxl

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


def pdf_pages(path):
    """The pages pdfinfo counts in a whole PDF, or None while there is none."""
    try:
        with open(path, 'rb') as f:
            if f.read(5) != b'%PDF-':
                return None
        info = subprocess.run(['pdfinfo', path], capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return None
    return next((int(line.split()[1]) for line in info.splitlines() if line.startswith('Pages:')), None)


def whole_html(path):
    """The text of a whole HTML document (Windows-1250, CR LF), or None while there is none."""
    try:
        with open(path, 'rb') as f:
            data = f.read()
    except OSError:
        return None
    return data.decode('cp1250') if data.endswith(b'</html>\r\n') else None


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

    # a name no file in the folder begins with: the dialog's completion list stays out of the way
    save_as(d, 'Exportovat report do PDF', os.path.join(out, 'objednavky'))
    pages = wait_for(lambda: pdf_pages(os.path.join(out, 'objednavky.pdf')),
                     'objednavky.pdf, a whole PDF (folder holds %r)' % os.listdir(out), seconds=40)
    shown = len([f for f in os.listdir(out) if f.startswith('strana')])
    if pages != shown:
        raise RoadFailure('the PDF has %d pages, the preview %d' % (pages, shown))
    d.wait_active(PREVIEW)

    # the list as a workbook; the offer to open it answered no
    save_as(d, 'Exportovat report do sešitu Excel (XLSX)', os.path.join(out, 'sesit'))
    offer = d.message('Sešit je uložen v souboru')
    d.answer(offer, 'Ne')
    book = os.path.join(out, 'sesit.xlsx')
    first = openpyxl.load_workbook(book, read_only=True).worksheets[0].cell(row=2, column=1).value
    if first != 'SEZNAM OBJEDNÁVEK:':
        raise RoadFailure('the workbook begins with %r' % first)
    d.wait_active(PREVIEW)

    # the list as an HTML document, in Windows-1250 as its head says
    save_as(d, 'Exportovat do HTML souboru', os.path.join(out, 'dokument'))
    page = os.path.join(out, 'dokument.html')
    html = wait_for(lambda: whole_html(page), 'dokument.html, a whole document (folder holds %r)'
                    % os.listdir(out), seconds=40)
    if '<title>Seznam objednávek</title>' not in html or 'SEZNAM OBJEDNÁVEK:' not in html:
        raise RoadFailure('the HTML document is not the orders list')
    d.wait_active(PREVIEW)

    d.press(roads.CLOSE_PREVIEW)
    d.gone(PREVIEW)
    d.wait_active(ORDERS)
    if os.path.exists(os.path.join(d.folder, 'temp.png')):
        raise RoadFailure('temp.png is left in the program folder')
    d.press('Zavřít', root=list_window)
    d.wait_active(MAIN)


kvdesk.run(road)
