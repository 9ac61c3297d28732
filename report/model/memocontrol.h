// A memo with fixed lines of text.
#pragma once

#include "memobase.h"

#include <QStringList>

namespace kv::report {

class MemoControl : public MemoBase {
public:
    MemoControl() = default;
    QString text() const override { return lines.join(QLatin1Char('\n')); }

    QStringList lines;
};

} // namespace kv::report
