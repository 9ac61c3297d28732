// Page margins and columns of a report.
#include "turbomargins.h"

namespace kv::report {

TTurboMargins::TTurboMargins(QObject* parent)
    : QObject(parent) {}

void TTurboMargins::SetColumn(int n) {
    if (n <= 0)
        return;
    set(column_, n);
}

void TTurboMargins::set(int& field, int v) {
    if (field == v)
        return;
    field = v;
    Q_EMIT OnSizeChange();
}

} // namespace kv::report
