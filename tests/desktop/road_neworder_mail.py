#!/usr/bin/python3
"""A new order mailed to its supplier as a PDF: a supplier with an e-mail address, stored by another
station before the program starts, is picked in a new order from the suppliers' window (its only
supplier is the current one, so closing the window picks it); the rest typed and the order completed,
its preview's envelope button and send button are the two clicks that hand the mail client the
supplier's address, the order's number in the subject and the order form as a PDF named after it,
which holds that number and the firm as its author."""
import os
import subprocess

import roads
from roads import NEW_ORDER, ORDER, kvdesk
from kvdesk import RoadFailure, text_of, wait_for

SUPPLIER = ('Pila Dvořák s.r.o.', 'Dřevo a řezivo', 'Petr Dvořák', 'obchod@pila-dvorak.cz')


def stored_before(db):
    name, category, contact, email = SUPPLIER
    db.execute('INSERT INTO "Obory" ("Obor") VALUES (\'%s\')' % category)
    db.execute('INSERT INTO "Dodavatele" ("Nazev", "Obor", "Zastupce", "Ulice", "Obec", "PSC", "Email") '
               'VALUES (\'%s\', \'%s\', \'%s\', \'Lesní 4\', \'Trutnov\', \'54101\', \'%s\')'
               % (name, category, contact, email))
    db.execute('UPDATE "System" SET "Firma" = \'STROJÍRNY HORÁK s.r.o.\'')


def pdf_info(path):
    return subprocess.run(['pdfinfo', path], capture_output=True, text=True, check=True).stdout


def road(d):
    mail = roads.MailClient(d)
    w = roads.open_new_order(d)
    d.press('Vybrat dodavatele', root=w)
    suppliers = d.window('Seznam dodavatelů....')
    d.wait_active('Seznam dodavatelů....')
    d.press('Zavřít', root=suppliers, index=0)
    d.gone('Seznam dodavatelů....')
    d.wait_active(NEW_ORDER)
    wait_for(lambda: text_of(roads.edit(d, w, 'Dodavatel:')) == SUPPLIER[0], 'the picked supplier in the order')
    typed = {k: v for k, v in ORDER.items() if k not in ('Dodavatel:', 'Kontakt:', 'Ulice a ČP:', 'Obec:', 'PSČ:')}
    roads.fill_order(d, w, typed)
    d.press('Hotovo - tisk...', root=w)
    d.answer(d.message('Opravdu chcete dokončit objednávku?'), 'Ano')
    d.window('Objednávka', seconds=40)
    d.wait_active('Objednávka')
    number = roads.order_number_prefix() + '00001/JN'

    d.press('Odeslat report e-mailem pomocí MAPI..')
    d.press('Odeslat report...')
    args = mail.arguments()
    if args[-1] != SUPPLIER[3]:
        raise RoadFailure('the mail goes to %r, not to the supplier %r' % (args[-1], SUPPLIER[3]))
    if roads.after(args, '--subject') != 'Objednávka ' + number:
        raise RoadFailure('the subject is %r' % roads.after(args, '--subject'))
    pdf = roads.after(args, '--attach')
    expected = 'Objednavka %s.pdf' % number.replace('/', '-')
    if os.path.basename(pdf) != expected:
        raise RoadFailure('the attachment is %r, not %r' % (os.path.basename(pdf), expected))
    info = pdf_info(pdf)
    if 'Author:          STROJÍRNY HORÁK s.r.o.' not in info or 'Pages:           1' not in info:
        raise RoadFailure('the PDF says:\n%s' % info)
    text = subprocess.run(['pdftotext', pdf, '-'], capture_output=True, text=True, check=True).stdout
    if number not in text:
        raise RoadFailure('the PDF does not hold the order number %s' % number)

    d.wait_active('Objednávka')
    d.press(roads.CLOSE_PREVIEW)
    d.gone('Objednávka')
    d.gone(NEW_ORDER)
    rows = d.db.wait_rows('SELECT "Dod_firma", "Dod_email" FROM "Kalmorvaty" WHERE "Cislo" = \'%s\'' % number,
                          lambda r: len(r) == 1, 'the order %s in the database' % number)
    if rows[0] != (SUPPLIER[0], SUPPLIER[3]):
        raise RoadFailure('the order keeps the supplier %r' % (rows[0],))
    roads.back_to_main(d)


if __name__ == '__main__':
    kvdesk.run(road, beforehand=stored_before)
