// Gathering one error's texts and handing them to the log and the window.
#include "errorreport.h"

#include "cpuinfo.h"
#include "formvyjimka.h"
#include "mapfile.h"
#include "throwsite.h"

#include "base/clock.h"
#include "base/czechformat.h"
#include "ui/dialogs.h"
#include "ui/exceptionhook.h"

#include <QApplication>
#include <QWidget>

namespace kv::errors {

QString MachineFacts::cpuText() {
    return errors::cpuText(getCpuInfo());
}
QString MachineFacts::osText(const OsFacts& f) {
    return errors::osText(f);
}
QString MachineFacts::displayText() {
    return errors::displayText();
}

bool MachineFacts::processes(QStringList& names) {
    QList<ProcessEntry> list;
    if (!processList(list, true, roots()))
        return false;
    for (const ProcessEntry& p : list)
        names << p.name;
    return true;
}

ErrorReporter::ErrorReporter() = default;
ErrorReporter::~ErrorReporter() = default;

void ErrorReporter::start(MapTables* map, bool mapLoaded, const QDateTime& startTime,
                          const VersionTexts& versions) {
    map_ = map;
    mapLoaded_ = mapLoaded;
    start_ = startTime;
    versions_ = versions;
}

MachineFacts& ErrorReporter::facts() {
    static MachineFacts machine;
    return facts_ ? *facts_ : machine;
}

TSystemProbe& ErrorReporter::probe() {
    if (window_)
        return *window_->SProbe;
    if (!ownProbe_) {
        ownProbe_ = std::make_unique<TSystemProbe>();
        ownProbe_->setAutoRefresh(false);
    }
    return *ownProbe_;
}

QString runTimeText(const QDateTime& from, const QDateTime& to) {
    const qint64 seconds = std::max<qint64>(0, from.secsTo(to));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString megabytes(qint64 total, qint64 free) {
    return QStringLiteral("%1MB / %2MB").arg(total / 1024 / 1024).arg(free / 1024 / 1024);
}

QPair<QString, QString> controlChains() {
    QStringList classes, names;
    for (QWidget* w = QApplication::focusWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        QString cls = QString::fromLatin1(w->metaObject()->className());
        cls = cls.mid(cls.lastIndexOf(QLatin1String("::")) + (cls.contains(QLatin1String("::")) ? 2 : 0));
        classes.prepend(cls);
        names.prepend(w->objectName());
    }
    return {classes.join(QLatin1String(" > ")), names.join(QLatin1String(" > "))};
}

ErrorTexts ErrorReporter::gather(const std::exception_ptr& error) {
    ErrorTexts t;
    TSystemProbe& sprobe = probe();
    sprobe.setRoots(facts().roots());
    try {
        sprobe.Refresh();
    } catch (...) {
        // The figures of the last refresh serve.
    }
    const TMemory& m = sprobe.Memory;
    t.physicalMemory = megabytes(m.PhysicalTotal, m.PhysicalFree);
    t.memoryLoad = QString::number(m.MemoryLoad) + QLatin1Char('%');
    t.pageFile = megabytes(m.PageFileTotal, m.PageFileFree);

    t.message = ui::exceptionMessage(error);
    t.exceptionChain = exceptionClassChain(error);
    std::tie(t.controlClasses, t.controlNames) = controlChains();

    if (mapLoaded_ && map_) {
        if (const auto offset = raiseOffset(throwStack(error), *map_)) {
            t.unit = map_->lookupUnit(*offset);
            t.procedure = map_->lookupProcedure(*offset);
            t.line = map_->lookupLine(*offset);
        }
    } else {
        t.unit = t.procedure = t.line = kNoMap;
    }

    if (!osKnown_)
        setOsFacts(detectSystem(facts().roots()));
    t.os = facts().osText(osFacts_);
    t.cpu = facts().cpuText();
    t.display = facts().displayText();

    const QDateTime now = clock::now();
    t.date = shortDate(now.date());
    t.time = longTime(now.time());
    t.start = shortDate(start_.date()) + QLatin1Char(' ') + longTime(start_.time());
    t.runTime = runTimeText(start_, now);
    return t;
}

void ErrorReporter::handle(const std::exception_ptr& error) noexcept {
    try {
        const ErrorTexts t = gather(error);
        if (window_)
            window_->setSystemTexts(t);
        QStringList processes;
        bool processesOk = false;
        try {
            processesOk = facts().processes(processes);
        } catch (...) {
            processesOk = true; // the list ends where it broke
        }
        appendToLog(errorLogPath(), logHeader(versions_), logEntry(t, versions_, processes, processesOk));
        if (window_)
            window_->showError(t);
        else
            ui::showError(t.message);
    } catch (...) {
        qWarning("Chybu nelze ohlásit: %s", qPrintable(ui::exceptionMessage(std::current_exception())));
    }
}

ErrorReporter& errorReporter() {
    static ErrorReporter reporter;
    return reporter;
}

} // namespace kv::errors
