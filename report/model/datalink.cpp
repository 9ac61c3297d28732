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
    return table->findField(dataField);
}

QString DataLink::displayText() const {
    kv::store::Field* f = field();
    return f ? f->asString() : QString();
}

} // namespace kv::report
