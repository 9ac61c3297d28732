// SERVER.INI: the connection settings, read only, section SERVER, with their defaults, and the
// stored form of the password (HESLO).
#pragma once

#include <QString>
#include <optional>

namespace kv::data {

struct ServerSettings {
    QString server = QStringLiteral("localhost");
    QString login = QStringLiteral("SYSDBA");
    int protocol = 0;
    QString database = QStringLiteral("Kalmorvaty");
    QString heslo; // stored form

    // Reads the file; a missing file or key leaves the default.
    static ServerSettings read(const QString& iniPath);
};

// Stored form: two ignored characters, two hexadecimal digits per character of the password in
// reverse order, two ignored characters; each pair is the character's Windows-1250 code ("č" is E8).
// Four characters or fewer decode to an empty password. A pair that is not hexadecimal gives no
// value (std::nullopt).
std::optional<QString> decodeHeslo(const QString& stored);
// The stored form of `password`, with "00" as the ignored characters at both ends. A character that
// Windows-1250 cannot hold would be stored as "?": check with firstCharNotInCp1250() first.
QString encodeHeslo(const QString& password);
// The first character of `text` that Windows-1250 has no code for, if any.
std::optional<QString> firstCharNotInCp1250(const QString& text);

} // namespace kv::data
