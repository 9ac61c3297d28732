// Reading a data-aware control's field.
#include "datalink.h"

#include "data/store/datasource.h"
#include "data/store/field.h"
#include "data/store/table.h"

namespace kv::report {

kv::store::Field* DataLink::field() const {
    if (!dataSource || dataField.isEmpty())
        return nullptr;
    kv::store::Table* table = dataSource->dataSet();
    if (!table || !table->isOpen())
        return nullptr;
    // A report reads the same field record after record: the one found last is asked first, and
    // taken when it still bears the name (the data set or the name may have changed since).
    if (lastIndex_ >= 0 && lastIndex_ < table->fieldCount()) {
        kv::store::Field& last = table->field(lastIndex_);
        if (last.name() == dataField || last.name().compare(dataField, Qt::CaseInsensitive) == 0)
            return &last;
    }
    kv::store::Field* f = table->findField(dataField);
    lastIndex_ = f ? f->index() : -1;
    return f;
}

QString DataLink::displayText() const {
    kv::store::Field* f = field();
    return f ? f->asString() : QString();
}

} // namespace kv::report
