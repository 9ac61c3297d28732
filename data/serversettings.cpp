// Reading SERVER.INI with its defaults, and the stored form of HESLO both ways.
#include "serversettings.h"

#include "base/codec1250.h"
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
        password.prepend(fromCp1250(QByteArray(1, char(code))));
        rest.remove(0, 2);
    }
    return password;
}

std::optional<QString> firstCharNotInCp1250(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, length);
        if (fromCp1250(toCp1250(c)) != c)
            return c;
        i += length - 1;
    }
    return std::nullopt;
}

QString encodeHeslo(const QString& password) {
    const QByteArray codes = toCp1250(password);
    QString out = QStringLiteral("00");
    for (qsizetype i = codes.size() - 1; i >= 0; --i)
        out += QStringLiteral("%1").arg(uchar(codes[i]), 2, 16, QLatin1Char('0')).toUpper();
    return out + QStringLiteral("00");
}

} // namespace kv::data
