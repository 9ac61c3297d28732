// Operating system facts from os-release and the kernel release, the process list from /proc.
#include "osinfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <algorithm>

namespace kv::errors {
namespace {

// os-release: KEY=value lines, the value optionally in double or single quotes.
QString osReleaseValue(const QByteArray& text, const char* key) {
    const QByteArray prefix = QByteArray(key) + '=';
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.startsWith(prefix))
            continue;
        QString v = QString::fromUtf8(line.mid(prefix.size())).trimmed();
        if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
            v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        return v;
    }
    return {};
}

uint32_t leadingNumber(const QString& text) {
    uint32_t v = 0;
    for (QChar c : text) {
        if (!c.isDigit() || v > 100000000u)
            break;
        v = v * 10 + uint32_t(c.digitValue());
    }
    return v;
}

} // namespace

QByteArray readSmallFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(1 << 20);
}

OsFacts detectSystem(const SystemRoots& roots) {
    OsFacts facts;
    QByteArray release = readSmallFile(roots.etc + QStringLiteral("/os-release"));
    if (release.isEmpty())
        release = readSmallFile(roots.etc + QStringLiteral("/../usr/lib/os-release"));
    const QString kernel =
        QString::fromLatin1(readSmallFile(roots.proc + QStringLiteral("/sys/kernel/osrelease"))).trimmed();
    if (kernel.isEmpty() && release.isEmpty())
        return facts;
    facts.kind = OsKind::Linux;
    facts.name = osReleaseValue(release, "NAME");
    if (facts.name.isEmpty())
        facts.name = QStringLiteral("Linux");
    facts.variantId = osReleaseValue(release, "VARIANT_ID").toLower();
    facts.servicePack = osReleaseValue(release, "VERSION");
    facts.servicePackNumber = int(leadingNumber(osReleaseValue(release, "VERSION_ID")));
    const QStringList parts = kernel.section(QLatin1Char('-'), 0, 0).split(QLatin1Char('.'));
    facts.major = parts.size() > 0 ? leadingNumber(parts[0]) : 0;
    facts.minor = parts.size() > 1 ? leadingNumber(parts[1]) : 0;
    facts.build = parts.size() > 2 ? leadingNumber(parts[2]) : 0;
    return facts;
}

QString osName(const OsFacts& f) {
    switch (f.kind) {
    case OsKind::Win95:
        return QStringLiteral("Windows 95");
    case OsKind::Win95Osr2:
        return QStringLiteral("Windows 95 OSR2");
    case OsKind::Win98:
        return QStringLiteral("Windows 98");
    case OsKind::Win98Se:
        return QStringLiteral("Windows 98 SE");
    case OsKind::WinMe:
        return QStringLiteral("Windows ME");
    case OsKind::WinNt31:
    case OsKind::WinNt35:
    case OsKind::WinNt351:
        return QStringLiteral("Windows NT 3.%1").arg(f.minor);
    case OsKind::WinNt4:
        return QStringLiteral("Windows NT 4.%1").arg(f.minor);
    case OsKind::Win2000:
        return QStringLiteral("Windows 2000");
    case OsKind::WinXp:
        return QStringLiteral("Windows XP");
    case OsKind::Linux:
        return f.name;
    case OsKind::Unrecognised:
        break;
    }
    return {};
}

int osEditionCode(const OsFacts& f) {
    if (f.kind != OsKind::Linux)
        return 0;
    if (f.variantId == QLatin1String("workstation"))
        return 1;
    if (f.variantId == QLatin1String("server"))
        return 2;
    return 0;
}

QString osEdition(const OsFacts& f) {
    static const char* const kWords[] = {"",
                                         "pracovní stanice",
                                         "server",
                                         "rozšířený server",
                                         "personal",
                                         "profesional",
                                         "server datová centrála"};
    const int code = osEditionCode(f);
    return code >= 0 && code <= 6 ? QString::fromUtf8(kWords[code]) : QString();
}

QString osText(const OsFacts& f) {
    return osName(f) + QLatin1Char(' ') + osEdition(f) +
           QStringLiteral(", Verze: %1.%2, překlad: %3, \"%4\"")
               .arg(f.major)
               .arg(f.minor)
               .arg(QString::number(f.build, 16).toUpper(), f.servicePack);
}

int colorDepth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
}

QString displayText() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize();
    return QStringLiteral("%1x%2 bodů, %3 bpp").arg(size.width()).arg(size.height()).arg(colorDepth());
}

bool processList(QList<ProcessEntry>& list, bool fullPaths, const SystemRoots& roots) {
    QDir proc(roots.proc);
    if (!proc.exists())
        return false;
    QList<ProcessEntry> found;
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const int pid = entry.toInt(&numeric);
        if (!numeric)
            continue;
        const QString dir = roots.proc + QLatin1Char('/') + entry;
        QString name = QFile::symLinkTarget(dir + QStringLiteral("/exe"));
        // A deleted or replaced executable keeps its old path with this mark.
        name.remove(QRegularExpression(QStringLiteral(" \\(deleted\\)$")));
        if (!name.isEmpty() && !fullPaths)
            name = QFileInfo(name).fileName();
        if (name.isEmpty())
            name = QString::fromUtf8(readSmallFile(dir + QStringLiteral("/comm"))).trimmed();
        if (!name.isEmpty())
            found.append({name, pid});
    }
    std::sort(found.begin(), found.end(),
              [](const ProcessEntry& a, const ProcessEntry& b) { return a.pid < b.pid; });
    list.append(found);
    return true;
}

} // namespace kv::errors
