// Building small reports in tests: a band on a report and a control on a band, named as in the
// definitions so that failures point at them.
#pragma once

#include "report/model/band.h"
#include "report/model/report.h"

#include <QRect>
#include <memory>

namespace kv::report::test {

// A band of `type` and `height` pixels, placed last on `report`.
inline Band* band(Report& report, const char* name, BandType type, int height) {
    auto* b = new Band(&report, type);
    b->setObjectName(QString::fromLatin1(name));
    b->setHeight(height);
    return b;
}

// A control of type T at `bounds` on `band`, which owns it.
template <class T> T& add(Band* band, const char* name, QRect bounds) {
    auto c = std::make_unique<T>();
    c->name = QString::fromLatin1(name);
    c->setBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    return band->addControl(std::move(c));
}

} // namespace kv::report::test
