// A data memo: the text of one field of the current record.
#pragma once

#include "custommemo.h"
#include "datalink.h"

namespace kv::report {

class TDBMemo : public TCustomMemo {
public:
    TDBMemo() = default;
    QString Text() const override { return Link.displayText(); }

    TDataLink Link;
};

} // namespace kv::report
