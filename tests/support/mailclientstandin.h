// A stand-in for the desktop's mail hand-off, for tests of the mail buttons.
#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace kv::test {

// A stand-in for xdg-email in a folder put first on the path: it writes its arguments, each ended
// by a zero byte, to "xdg-email.args" beside itself. Beside it xdg-mime names `mailtoHandler` as the
// desktop's mailto: handler, and MAILER is unset meanwhile.
class MailClientStandIn {
public:
    explicit MailClientStandIn(const QString& mailtoHandler = QStringLiteral("thunderbird.desktop")) {
        script(QStringLiteral("xdg-email"),
               QStringLiteral("printf '%s\\0' \"$@\" > '%1.tmp' && mv '%1.tmp' '%1'").arg(record()));
        script(QStringLiteral("xdg-mime"), QStringLiteral("echo '%1'").arg(mailtoHandler));
        qputenv("PATH", QFile::encodeName(dir_.path()) + ':' + path_);
        qunsetenv("MAILER");
    }
    ~MailClientStandIn() {
        qputenv("PATH", path_);
        if (!mailer_.isNull())
            qputenv("MAILER", mailer_);
    }

    QString record() const { return dir_.filePath(QStringLiteral("xdg-email.args")); }
    QStringList arguments() const {
        QFile f(record());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList args = QString::fromUtf8(f.readAll()).split(QLatin1Char('\0'));
        args.removeLast();
        return args;
    }

private:
    void script(const QString& name, const QString& body) {
        QFile f(dir_.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeUser);
    }

    QTemporaryDir dir_;
    QByteArray path_ = qgetenv("PATH");
    QByteArray mailer_ = qgetenv("MAILER");
};

} // namespace kv::test
