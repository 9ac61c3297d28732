// Reads the whole file for every call, as the profile API does, so that a value written by one
// object or process is seen by the next read of any other.
#include "iniprofile.h"

#include "codec1250.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace kv {
namespace {

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = fromCp1250(f.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

// Returns the section name when `line` is a section header, otherwise a null string.
QString sectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype end = t.indexOf(QLatin1Char(']'));
    if (end < 0)
        return {};
    return t.mid(1, end - 1).trimmed();
}

bool splitEntry(const QString& line, QString* key, QString* value) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniProfile::IniProfile(QString path)
    : path_(std::move(path)) {}

bool IniProfile::exists() const {
    return QFile::exists(path_);
}

QString IniProfile::readString(const QString& section, const QString& key, const QString& def) const {
    bool inSection = false;
    for (const QString& line : readLines(path_)) {
        const QString s = sectionOf(line);
        if (!s.isNull()) {
            inSection = sameName(s, section);
            continue;
        }
        QString k, v;
        if (inSection && splitEntry(line, &k, &v) && sameName(k, key)) {
            if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
                v.back() == v.front())
                v = v.mid(1, v.size() - 2);
            return v;
        }
    }
    return def;
}

int IniProfile::readInteger(const QString& section, const QString& key, int def) const {
    QString v = readString(section, key, QString());
    bool ok = false;
    int result = 0;
    if (v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        result = v.mid(2).toInt(&ok, 16);
    else if (v.startsWith(QLatin1Char('$')))
        result = v.mid(1).toInt(&ok, 16);
    else
        result = v.toInt(&ok, 10);
    return ok ? result : def;
}

void IniProfile::writeString(const QString& section, const QString& key, const QString& value) {
    QStringList lines = readLines(path_);
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();

    const QString entry = key + QLatin1Char('=') + value;
    qsizetype sectionStart = -1, sectionEnd = -1;
    bool done = false;
    for (qsizetype i = 0; i < lines.size() && !done; ++i) {
        const QString s = sectionOf(lines[i]);
        if (!s.isNull()) {
            if (sectionStart >= 0 && sectionEnd < 0)
                sectionEnd = i;
            if (sectionStart < 0 && sameName(s, section))
                sectionStart = i;
            continue;
        }
        QString k, v;
        if (sectionStart >= 0 && sectionEnd < 0 && splitEntry(lines[i], &k, &v) && sameName(k, key)) {
            lines[i] = entry;
            done = true;
        }
    }
    if (!done) {
        if (sectionStart < 0) {
            if (!lines.isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        } else {
            qsizetype at = sectionEnd < 0 ? lines.size() : sectionEnd;
            // Keep the blank line that separates this section from the next one.
            while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty())
                --at;
            lines.insert(at, entry);
        }
    }

    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly))
        throw IniWriteError(path_);
    f.write(toCp1250(lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")));
    if (!f.commit())
        throw IniWriteError(path_);
}

void IniProfile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

IniWriteError::IniWriteError(QString path)
    : path_(std::move(path))
    , what_(("Cannot write " + path_).toUtf8()) {}

} // namespace kv
