#!/usr/bin/python3
"""The preview's e-mail panel as a screen reader and a person meet it: after the envelope button its
boxes and buttons are on the accessibility bus under their captions; recipient, subject and text typed,
the send button clicked; the mail client (a recording xdg-email first on PATH, a desktop naming a
client that takes attachments) gets the recipient, the subject, the text and a PNG picture of the report
attached; the panel hides and the preview stays. Sent again where the desktop reaches its mail client
only through a plain mailto: link, the clerk is told where the picture is and its folder opens."""
import os

import roads
from roads import MAIN, ORDERS, kvdesk
from kvdesk import RoadFailure, text_of, wait_for

PREVIEW = 'Seznam objednávek'
RECORDER = '''#!/bin/sh
# records its arguments, each ended by a zero byte, as the mail client would get them
out="$(dirname "$0")/xdg-email.args"
for a in "$@"; do printf '%s\\0' "$a"; done > "$out.part" && mv "$out.part" "$out"
'''
# Answers the desktop's mail handler question with the name kept in the file beside it.
MIME = '''#!/bin/sh
cat "$(dirname "$0")/mailto-handler"
'''
OPENER = '''#!/bin/sh
printf '%s' "$1" > "$(dirname "$0")/xdg-open.args"
'''
BOXES = ['E-mail příjemce:', 'Předmět (nadpis zprávy):', 'Text zprávy:']
BUTTONS = ['Zrušit odeslání reportu e-mailem...', 'Odeslat report...']


def panel_controls(d, preview):
    """The panel's boxes and buttons a screen reader finds, by name."""
    found = {}
    for a, _ in kvdesk.walk(preview):
        if kvdesk.name(a) in BOXES + BUTTONS and kvdesk.role(a) in ('text', 'push button'):
            found[kvdesk.name(a)] = a
    return found


def script(d, name, text):
    path = os.path.join(d.bin, name)
    with open(path, 'w') as f:
        f.write(text)
    os.chmod(path, 0o755)


def handler(d, desktop_file):
    with open(os.path.join(d.bin, 'mailto-handler'), 'w') as f:
        f.write(desktop_file + '\n')


def road(d):
    script(d, 'xdg-email', RECORDER)
    script(d, 'xdg-mime', MIME)
    script(d, 'xdg-open', OPENER)
    handler(d, 'thunderbird.desktop')
    record = os.path.join(d.bin, 'xdg-email.args')

    list_window = roads.open_orders_list(d)
    d.press('Tisk seznamu', root=list_window)
    preview = d.window(PREVIEW, seconds=40)
    d.wait_active(PREVIEW)
    d.press('Odeslat report e-mailem pomocí MAPI..')
    try:
        controls = wait_for(lambda: (lambda c: c if len(c) == len(BOXES + BUTTONS) else None)(
            panel_controls(d, preview)), 'the e-mail panel\'s boxes and buttons on the accessibility bus')
    except RoadFailure:
        raise RoadFailure('the e-mail panel is open but a screen reader finds only %r of %r'
                          % (sorted(panel_controls(d, preview)), BOXES + BUTTONS))
    subject = controls['Předmět (nadpis zprávy):']
    wait_for(lambda: text_of(subject) == PREVIEW, 'the report name as the subject')
    d.fill(controls['E-mail příjemce:'], 'nakup@example.cz')
    d.fill(subject, 'Seznam objednávek za prosinec')
    d.fill(controls['Text zprávy:'], 'Dobrý den,\nposílám seznam.')
    d.click(controls['Odeslat report...'])

    wait_for(lambda: os.path.exists(record), 'the mail client to be called (%s)' % record, seconds=40)
    args = open(record, 'rb').read().decode().split('\0')[:-1]
    kvdesk.log('xdg-email %r' % args)

    def after(flag):
        if flag not in args or args.index(flag) + 1 >= len(args):
            raise RoadFailure('xdg-email got no %s: %r' % (flag, args))
        return args[args.index(flag) + 1]
    if after('--subject') != 'Seznam objednávek za prosinec':
        raise RoadFailure('the subject handed over is %r' % after('--subject'))
    if after('--body') != 'Dobrý den,\nposílám seznam.':
        raise RoadFailure('the text handed over is %r' % after('--body'))
    if args[-1] != 'nakup@example.cz':
        raise RoadFailure('the recipient handed over is %r' % args[-1])
    with open(after('--attach'), 'rb') as f:
        if f.read(8) != b'\x89PNG\r\n\x1a\n':
            raise RoadFailure('the attachment %s is no PNG picture' % after('--attach'))

    wait_for(lambda: not panel_controls(d, preview), 'the e-mail panel to hide after sending')
    d.wait_active(PREVIEW)
    d.stays_away('Informace', 2, 'a message came although the mail client takes the picture')

    # A browser answering mailto: links: the picture cannot travel with the link.
    handler(d, 'firefox.desktop')
    os.remove(record)
    d.press('Odeslat report e-mailem pomocí MAPI..')
    controls = wait_for(lambda: (lambda c: c if len(c) == len(BOXES + BUTTONS) else None)(
        panel_controls(d, preview)), 'the e-mail panel again')
    d.click(controls['Odeslat report...'])
    wait_for(lambda: os.path.exists(record), 'the mail client to be called again', seconds=40)
    notice = d.message('Obrázek nelze k e-mailu přiložit')
    args = open(record, 'rb').read().decode().split('\0')[:-1]
    folder = os.path.dirname(after('--attach'))
    d.answer(notice, 'OK')
    wait_for(lambda: os.path.exists(os.path.join(d.bin, 'xdg-open.args')), 'the picture\'s folder to open')
    opened = open(os.path.join(d.bin, 'xdg-open.args')).read()
    if not opened.endswith(folder) and not opened.endswith(folder + '/'):
        raise RoadFailure('the folder opened is %r, the picture lies in %r' % (opened, folder))
    d.wait_active(PREVIEW)
    d.press(roads.CLOSE_PREVIEW)
    d.gone(PREVIEW)
    d.wait_active(ORDERS)
    d.press('Zavřít', root=list_window)
    d.wait_active(MAIN)


kvdesk.run(road)
