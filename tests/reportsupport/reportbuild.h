// Building small reports in tests: a band on a report and a control on a band, named as in the
// definitions so that failures point at them.
#pragma once

#include "report/model/turboband.h"
#include "report/model/zireziduzoz.h"

#include <QRect>
#include <memory>

namespace kv::report::test {

// A band of `type` and `height` pixels, placed last on `report`.
inline TTurboBand* band(TZirezIduzoz& report, const char* name, TTurboBandType type, int height) {
    auto* b = new TTurboBand(&report, type);
    b->setObjectName(QString::fromLatin1(name));
    b->SetHeight(height);
    return b;
}

// A control of type T at `bounds` on `band`, which owns it.
template <class T> T& add(TTurboBand* band, const char* name, QRect bounds) {
    auto c = std::make_unique<T>();
    c->Name = QString::fromLatin1(name);
    c->SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    return band->AddControl(std::move(c));
}

} // namespace kv::report::test
