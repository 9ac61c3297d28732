// Status texts, button states and the page-number check of the print preview.
#include "previewstatus.h"

namespace kv::print {

PageStatus pageStatus(int page, int pageCount) {
    PageStatus s;
    s.pageText = QStringLiteral("%1 / %2").arg(page).arg(pageCount);
    s.firstEnabled = s.priorEnabled = page > 1;
    s.nextEnabled = s.lastEnabled = page < pageCount;
    s.jumpEnabled = pageCount > 1;
    return s;
}

QString zoomText(int zoom) {
    if (zoom == 100)
        return QStringLiteral("Normální velikost");
    return QStringLiteral("Zoom %1%").arg(zoom);
}

PageJump checkPageJump(const QString& answer, int pageCount) {
    PageJump j;
    bool whole = false;
    const int page = answer.trimmed().toInt(&whole);
    if (!whole) {
        j.error = QStringLiteral("Číslo strany musí být platné celé číslo!");
        return j;
    }
    if (page < 1 || page > pageCount) {
        j.error = QStringLiteral("Číslo strany musí být v rozsahu 1-%1!").arg(pageCount);
        return j;
    }
    j.ok = true;
    j.page = page;
    return j;
}

} // namespace kv::print
