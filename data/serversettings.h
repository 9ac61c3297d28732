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
// reverse order, two ignored characters. Four characters or fewer decode to an empty password.
// A pair that is not hexadecimal gives no value (std::nullopt).
std::optional<QString> decodeHeslo(const QString& stored);
// The stored form of `password`, with "00" as the ignored characters at both ends.
QString encodeHeslo(const QString& password);

} // namespace kv::data
