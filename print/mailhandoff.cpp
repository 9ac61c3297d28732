// xdg-email arguments, starting it, and the attachment copies.
#include "mailhandoff.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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

bool handToMailClient(const MailMessage& message) {
    return QProcess::startDetached(QStringLiteral("xdg-email"), xdgEmailArguments(message));
}

MailAttachments::MailAttachments(const QString& folder)
    : folder_(folder) {}

QString MailAttachments::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/mail");
}

QString MailAttachments::keep(const QString& picture) const {
    if (!QDir().mkpath(folder_))
        return {};
    // A folder per mail keeps the picture's own name, and an earlier mail's copy untouched.
    QTemporaryDir mail(folder_ + QStringLiteral("/XXXXXX"));
    if (!mail.isValid())
        return {};
    mail.setAutoRemove(false);
    const QString copy = mail.filePath(QFileInfo(picture).fileName());
    if (!QFile::copy(picture, copy)) {
        mail.remove();
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
