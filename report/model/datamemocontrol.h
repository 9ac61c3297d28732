// A data memo: the text of one field of the current record.
#pragma once

#include "memobase.h"
#include "datalink.h"

namespace kv::report {

class DataMemoControl : public MemoBase {
public:
    DataMemoControl() = default;
    QString text() const override { return link.displayText(); }

    DataLink link;
};

} // namespace kv::report
