#!/usr/bin/python3
"""The preview's e-mail panel as a screen reader and a person meet it: after the envelope button its
boxes, check box and buttons are on the accessibility bus under their captions; recipient, subject and
text typed, the send button clicked; the mail client (a recording xdg-email first on PATH, a desktop
naming a client that takes attachments) gets the recipient, the subject, the text and the report as a
PDF named after it; the panel hides and the preview stays. Sent again with "Přiložit jako obrázek PNG"
checked by the keyboard where the desktop reaches its mail client only through a plain mailto: link, a
PNG picture goes, and the clerk is told where it is and its folder opens."""
import os

import roads
from roads import MAIN, ORDERS, kvdesk
from kvdesk import RoadFailure, text_of, wait_for

PREVIEW = 'Seznam objednávek'
BOXES = ['E-mail příjemce:', 'Předmět (nadpis zprávy):', 'Text zprávy:']
BUTTONS = ['Zrušit odeslání reportu e-mailem...', 'Odeslat report...']
PICTURE = 'Přiložit jako obrázek PNG'


def panel_controls(d, preview):
    """The panel's boxes and buttons a screen reader finds, by name."""
    found = {}
    for a, _ in kvdesk.walk(preview):
        if kvdesk.name(a) in BOXES + BUTTONS and kvdesk.role(a) in ('text', 'push button'):
            found[kvdesk.name(a)] = a
        elif kvdesk.name(a) == PICTURE and kvdesk.role(a) == 'check box':
            found[PICTURE] = a
    return found


def whole_panel(d, preview, what):
    wanted = len(BOXES + BUTTONS) + 1
    try:
        return wait_for(lambda: (lambda c: c if len(c) == wanted else None)(panel_controls(d, preview)), what)
    except RoadFailure:
        raise RoadFailure('the e-mail panel is open but a screen reader finds only %r of %r'
                          % (sorted(panel_controls(d, preview)), BOXES + BUTTONS + [PICTURE]))


def road(d):
    mail = roads.MailClient(d)

    list_window = roads.open_orders_list(d)
    d.press('Tisk seznamu', root=list_window)
    preview = d.window(PREVIEW, seconds=40)
    d.wait_active(PREVIEW)
    d.press('Odeslat report e-mailem pomocí MAPI..')
    controls = whole_panel(d, preview, 'the e-mail panel\'s boxes and buttons on the accessibility bus')
    subject = controls['Předmět (nadpis zprávy):']
    wait_for(lambda: text_of(subject) == PREVIEW, 'the report name as the subject')
    d.fill(controls['E-mail příjemce:'], 'nakup@example.cz')
    d.fill(subject, 'Seznam objednávek za prosinec')
    d.fill(controls['Text zprávy:'], 'Dobrý den,\nposílám seznam.')
    d.click(controls['Odeslat report...'])

    args = mail.arguments()

    def after(flag):
        return roads.after(args, flag)
    if after('--subject') != 'Seznam objednávek za prosinec':
        raise RoadFailure('the subject handed over is %r' % after('--subject'))
    if after('--body') != 'Dobrý den,\nposílám seznam.':
        raise RoadFailure('the text handed over is %r' % after('--body'))
    if args[-1] != 'nakup@example.cz':
        raise RoadFailure('the recipient handed over is %r' % args[-1])
    if os.path.basename(after('--attach')) != 'Seznam objednavek.pdf':
        raise RoadFailure('the attachment is named %r' % after('--attach'))
    with open(after('--attach'), 'rb') as f:
        if f.read(5) != b'%PDF-':
            raise RoadFailure('the attachment %s is no PDF' % after('--attach'))

    wait_for(lambda: not panel_controls(d, preview), 'the e-mail panel to hide after sending')
    d.wait_active(PREVIEW)
    d.stays_away('Informace', 2, 'a message came although the mail client takes the attachment')

    # A browser answering mailto: links: the picture cannot travel with the link. The check box and the
    # send button are reached from the text box by the keyboard alone.
    mail.handler('firefox.desktop')
    mail.forget()
    d.press('Odeslat report e-mailem pomocí MAPI..')
    controls = whole_panel(d, preview, 'the e-mail panel again')
    d.click(controls['Text zprávy:'])
    d.wait_focus('Text zprávy:')
    d.key('Tab')
    d.wait_focus(PICTURE, 'check box')
    d.key('space')
    d.key('Tab')
    d.wait_focus('Odeslat report...', 'push button')
    d.key('space')
    args = mail.arguments()
    notice = d.message('Obrázek nelze k e-mailu přiložit')
    with open(after('--attach'), 'rb') as f:
        if f.read(8) != b'\x89PNG\r\n\x1a\n':
            raise RoadFailure('the attachment %s is no PNG picture' % after('--attach'))
    folder = os.path.dirname(after('--attach'))
    d.answer(notice, 'OK')
    wait_for(lambda: os.path.exists(mail.opened), 'the picture\'s folder to open')
    opened = open(mail.opened).read()
    if not opened.endswith(folder) and not opened.endswith(folder + '/'):
        raise RoadFailure('the folder opened is %r, the picture lies in %r' % (opened, folder))
    d.wait_active(PREVIEW)
    d.press(roads.CLOSE_PREVIEW)
    d.gone(PREVIEW)
    d.wait_active(ORDERS)
    d.press('Zavřít', root=list_window)
    d.wait_active(MAIN)


kvdesk.run(road)
