// Table definitions: field and index lookup by name and the stored column order.
#include "tabledef.h"

namespace kv::store {

int FieldDef::width() const {
    if (displayWidth > 0)
        return displayWidth;
    if (type == FieldType::String)
        return size;
    if (type == FieldType::DateTime)
        return 18;
    return kDefaultDisplayWidth;
}

int TableDef::fieldIndex(const QString& fieldName) const {
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const IndexDef* TableDef::index(const QString& indexName) const {
    for (const IndexDef& ix : indexes)
        if (ix.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &ix;
    return nullptr;
}

QStringList TableDef::storedFieldOrder() const {
    if (!storedOrder.isEmpty())
        return storedOrder;
    QStringList names;
    for (const FieldDef& f : fields)
        names << f.name;
    return names;
}

} // namespace kv::store
