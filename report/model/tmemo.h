// A memo with fixed lines of text.
#pragma once

#include "custommemo.h"

#include <QStringList>

namespace kv::report {

class TMemo : public TCustomMemo {
public:
    TMemo() = default;
    QString Text() const override { return Lines.join(QLatin1Char('\n')); }

    QStringList Lines;
};

} // namespace kv::report
