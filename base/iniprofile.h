// A Windows profile (INI) file with the profile API's rules: section and key names match without
// case, values are trimmed, a missing file or key gives the caller's default, writing creates the
// file and keeps every other section and key. Text is Windows-1250 with CR LF line ends.
#pragma once

#include <QString>

namespace kv {

class IniProfile {
public:
    explicit IniProfile(QString path);

    const QString& path() const { return path_; }
    bool exists() const;

    // Missing file, section or key: `def`. Surrounding quotes of the value are dropped.
    QString readString(const QString& section, const QString& key, const QString& def = {}) const;
    // Decimal or hexadecimal ("0x1F", "$1F"); a value that does not convert gives `def`.
    int readInteger(const QString& section, const QString& key, int def) const;

    // Throws kv::IniWriteError when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);

private:
    QString path_;
};

class IniWriteError : public std::exception {
public:
    explicit IniWriteError(QString path);
    const char* what() const noexcept override { return what_.constData(); }
    const QString& path() const { return path_; }

private:
    QString path_;
    QByteArray what_;
};

} // namespace kv
