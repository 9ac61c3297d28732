// Reading SERVER.INI with its defaults, and the stored form of HESLO both ways.
#include "serversettings.h"

#include "base/iniprofile.h"

namespace kv::data {

ServerSettings ServerSettings::read(const QString& iniPath) {
    const IniProfile ini(iniPath);
    const QString s = QStringLiteral("SERVER");
    ServerSettings out;
    out.server = ini.readString(s, QStringLiteral("SERVER"), out.server);
    out.login = ini.readString(s, QStringLiteral("LOGIN"), out.login);
    out.protocol = ini.readInteger(s, QStringLiteral("PROTOKOL"), out.protocol);
    out.database = ini.readString(s, QStringLiteral("DATABÁZE"), out.database);
    out.heslo = ini.readString(s, QStringLiteral("HESLO"), out.heslo);
    return out;
}

std::optional<QString> decodeHeslo(const QString& stored) {
    QString password;
    QString rest = stored.mid(2);
    while (rest.size() > 2) {
        bool ok = false;
        const uint code = rest.left(2).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        password.prepend(QChar(char16_t(code)));
        rest.remove(0, 2);
    }
    return password;
}

QString encodeHeslo(const QString& password) {
    QString out = QStringLiteral("00");
    for (qsizetype i = password.size() - 1; i >= 0; --i)
        out += QStringLiteral("%1").arg(password[i].unicode() & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    return out + QStringLiteral("00");
}

} // namespace kv::data
