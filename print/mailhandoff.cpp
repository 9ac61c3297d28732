// xdg-email arguments, the route it takes, starting it, the word on an attachment left out, and the
// attachments' folders.
#include "mailhandoff.h"

#include "ui/dialogs.h"
#include "ui/shellopen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace kv::print {

QStringList xdgEmailArguments(const MailMessage& message) {
    QStringList args{QStringLiteral("--utf8")};
    if (!message.subject.isEmpty())
        args << QStringLiteral("--subject") << message.subject;
    if (!message.text.isEmpty())
        args << QStringLiteral("--body") << message.text;
    args << QStringLiteral("--attach") << message.attachment;
    if (!message.recipient.isEmpty())
        args << message.recipient;
    return args;
}

MailRoute mailRouteFor(const QString& handler) {
    // xdg-email starts Thunderbird (Icedove on Debian) with the attachment itself, but only when the
    // desktop names it as the handler; a MAILER command and every other client get a mailto: link,
    // whose "attach" field only these clients read.
    static const char* const startedWithAttachment[] = {"thunderbird", "icedove"};
    static const char* const readLinkAttachment[] = {"evolution", "kmail", "claws-mail", "claws_mail"};
    const QString name = QFileInfo(handler.trimmed().section(QLatin1Char(' '), 0, 0)).fileName();
    if (name.isEmpty())
        return MailRoute::PlainLink;
    const auto names = [&name](const auto& clients) {
        return std::any_of(std::begin(clients), std::end(clients), [&name](const char* client) {
            return name.contains(QLatin1String(client), Qt::CaseInsensitive);
        });
    };
    if (name.endsWith(QLatin1String(".desktop")) && names(startedWithAttachment))
        return MailRoute::Attached;
    return names(readLinkAttachment) ? MailRoute::Attached : MailRoute::PlainLink;
}

QString mailtoHandler() {
    const QString mailer = qEnvironmentVariable("MAILER");
    if (!mailer.isEmpty())
        return mailer.section(QLatin1Char(':'), 0, 0);
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/mailto")});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished(1000);
        return {};
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

HandOff handToMailClient(const MailMessage& message) {
    if (!QProcess::startDetached(QStringLiteral("xdg-email"), xdgEmailArguments(message)))
        return HandOff::NotStarted;
    return mailRouteFor(mailtoHandler()) == MailRoute::Attached ? HandOff::Attached : HandOff::AttachmentLeftOut;
}

QString attachmentLeftOutText(const QString& attachment) {
    const QFileInfo file(attachment);
    const bool pdf = file.suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
    return QStringLiteral("%1 nelze k e-mailu přiložit. Je uložen v souboru:\n%2\n"
                          "Přiložte jej prosím ke zprávě sami.")
        .arg(pdf ? QStringLiteral("Dokument PDF") : QStringLiteral("Obrázek"),
             QDir::toNativeSeparators(file.absoluteFilePath()));
}

void tellAttachmentLeftOut(const QString& attachment, QWidget* parent) {
    ui::dialogs().message(attachmentLeftOutText(attachment), ui::MsgStyle::Information, ui::MsgButton::Ok,
                          parent);
    ui::openInShell(QUrl::fromLocalFile(QFileInfo(attachment).absolutePath()));
}

MailAttachments::MailAttachments(const QString& folder)
    : folder_(folder) {}

QString MailAttachments::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/mail");
}

QString MailAttachments::place(const QString& fileName) const {
    if (!QDir().mkpath(folder_))
        return {};
    // A folder per mail keeps the attachment's own name, and an earlier mail's file untouched.
    QTemporaryDir mail(folder_ + QStringLiteral("/XXXXXX"));
    if (!mail.isValid())
        return {};
    mail.setAutoRemove(false);
    return mail.filePath(fileName);
}

QString MailAttachments::keep(const QString& file) const {
    const QString copy = place(QFileInfo(file).fileName());
    if (copy.isEmpty())
        return {};
    if (!QFile::copy(file, copy)) {
        QDir(QFileInfo(copy).absolutePath()).removeRecursively();
        return {};
    }
    return copy;
}

void MailAttachments::removeOlderThan(const QDateTime& before) const {
    const QFileInfoList mails = QDir(folder_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& mail : mails) {
        if (mail.lastModified() < before)
            QDir(mail.absoluteFilePath()).removeRecursively();
    }
}

} // namespace kv::print
