// Handing the report (a PDF, or a picture) to the user's mail client through xdg-email. xdg-email
// returns at once and the client may read the attachment much later, while the preview deletes its
// files when it closes: so the attachment lives in a folder of its own, which outlives the preview
// and is removed at a later start of the program. Where the desktop reaches its mail client only
// through a plain mailto: link, the attachment cannot ride along, and the clerk is told where it is.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;

namespace kv::print {

struct MailMessage {
    QString recipient; // none when empty
    QString subject;   // left out when empty
    QString text;      // left out when empty
    QString attachment;
};

// "--utf8", then "--subject" and "--body" when they have text, "--attach" and the recipient.
QStringList xdgEmailArguments(const MailMessage& message);

// How xdg-email reaches the user's mail client, as far as can be told before handing over.
enum class MailRoute {
    // Thunderbird named as the desktop's handler, which xdg-email starts with the attachment itself,
    // or a client that reads the attachment of a mailto: link (Evolution, KMail, Claws Mail).
    Attached,
    // Only a plain mailto: link: a browser, a web mail, another client or none set. The link carries
    // the recipient, subject and text; the attachment stays behind.
    PlainLink,
};
// The route to the mailto: handler `handler`: its desktop entry as "xdg-mime query default
// x-scheme-handler/mailto" names it ("thunderbird.desktop"), or the command in MAILER. Empty: none set.
MailRoute mailRouteFor(const QString& handler);
// This desktop's mailto: handler: MAILER when it is set (xdg-email then runs that), else xdg-mime's
// answer; empty when there is none or xdg-mime cannot be asked.
QString mailtoHandler();

enum class HandOff {
    NotStarted,        // xdg-email cannot be started: no mail hand-off on this desktop, nothing happens
    Attached,          // the mail client was asked to open the mail with the attachment
    AttachmentLeftOut, // the mail opens through a plain mailto: link, without the attachment
};
// Starts xdg-email with the message and does not wait for it. The caller says nothing when it is
// NotStarted, as with a missing mail client, and calls tellAttachmentLeftOut() when it is
// AttachmentLeftOut.
HandOff handToMailClient(const MailMessage& message);

// "Obrázek nelze k e-mailu přiložit. Je uložen v souboru:" ("Dokument PDF" for a PDF), the file's
// full path, and the request to attach it by hand.
QString attachmentLeftOutText(const QString& attachment);
// Shows attachmentLeftOutText() as information through the dialog seam, then opens the file's
// folder through the shell seam so that it can be dragged into the mail.
void tellAttachmentLeftOut(const QString& attachment, QWidget* parent = nullptr);

class MailAttachments {
public:
    // Copies are kept in `folder`, one sub-folder per mail.
    explicit MailAttachments(const QString& folder = defaultFolder());
    // The "mail" folder in the user's cache folder of the program.
    static QString defaultFolder();

    // A copy of `file` under its own name in a new sub-folder; empty when it cannot be made.
    QString keep(const QString& file) const;
    // A path for `fileName` in a new sub-folder, for an attachment written there directly; empty
    // when the folder cannot be made.
    QString place(const QString& fileName) const;
    // Removes the copies made before `before`.
    void removeOlderThan(const QDateTime& before) const;

private:
    QString folder_;
};

} // namespace kv::print
