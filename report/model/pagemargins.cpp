// Page margins and columns of a report.
#include "pagemargins.h"

namespace kv::report {

PageMargins::PageMargins(QObject* parent)
    : QObject(parent) {}

void PageMargins::setColumn(int n) {
    if (n <= 0)
        return;
    set(column_, n);
}

void PageMargins::set(int& field, int v) {
    if (field == v)
        return;
    field = v;
    Q_EMIT onSizeChange();
}

} // namespace kv::report
