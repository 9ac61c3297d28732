// SETUP.INI's keys, defaults and the once-a-day rule of the support notice.
#include "setupini.h"

#include "base/czechformat.h"
#include "base/iniprofile.h"
#include "base/programfolder.h"

namespace kv::app {
namespace {
const QString kMainSection = QStringLiteral("Hlavní okno");
const QString kLeft = QStringLiteral("Poloha zleva");
const QString kTop = QStringLiteral("Poloha odshora");
const QString kNoticeSection = QStringLiteral("DAR");
const QString kLastShown = QStringLiteral("Poslední ukázka");
} // namespace

SetupIni::SetupIni()
    : path_(programFolder() + QLatin1String("SETUP.INI")) {}

SetupIni::SetupIni(QString path)
    : path_(std::move(path)) {}

QPoint SetupIni::mainWindowPosition() const {
    const IniProfile ini(path_);
    return {ini.readInteger(kMainSection, kLeft, 0), ini.readInteger(kMainSection, kTop, 0)};
}

void SetupIni::writeMainWindowPosition(QPoint topLeft) {
    IniProfile ini(path_);
    try {
        ini.writeInteger(kMainSection, kLeft, topLeft.x());
        ini.writeInteger(kMainSection, kTop, topLeft.y());
    } catch (const IniWriteError&) {
        // A read-only program folder only costs the remembered position.
    }
}

bool SetupIni::takeNoticeDue(const QDate& today) {
    IniProfile ini(path_);
    QDate last = parseShortDate(ini.readString(kNoticeSection, kLastShown));
    if (!last.isValid())
        last = today.addDays(-5);
    try {
        ini.writeString(kNoticeSection, kLastShown, shortDate(today));
    } catch (const IniWriteError&) {
        // Unwritable: the notice is simply due again at the next start.
    }
    // A date after today (the clock was set back) is not due; it is overwritten with today.
    return last.daysTo(today) >= 1;
}

} // namespace kv::app
