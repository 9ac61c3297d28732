// Handing a picture of the report to the user's mail client through xdg-email. xdg-email returns
// at once and the client may read the attachment much later, while the preview deletes its picture
// when it closes: so the picture is attached as a copy in a folder of its own, which outlives the
// preview and is removed at a later start of the program.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kv::print {

struct MailMessage {
    QString recipient; // none when empty
    QString subject;   // left out when empty
    QString text;      // left out when empty
    QString attachment;
};

// "--utf8", then "--subject" and "--body" when they have text, "--attach" and the recipient.
QStringList xdgEmailArguments(const MailMessage& message);

// Starts xdg-email with the message and does not wait for it. False when it cannot be started
// (no mail hand-off on this desktop); the caller says nothing then, as with a missing mail client.
bool handToMailClient(const MailMessage& message);

class MailAttachments {
public:
    // Copies are kept in `folder`, one sub-folder per mail.
    explicit MailAttachments(const QString& folder = defaultFolder());
    // The "mail" folder in the user's cache folder of the program.
    static QString defaultFolder();

    // A copy of `picture` under its own name in a new sub-folder; empty when it cannot be made.
    QString keep(const QString& picture) const;
    // Removes the copies made before `before`.
    void removeOlderThan(const QDateTime& before) const;

private:
    QString folder_;
};

} // namespace kv::print
