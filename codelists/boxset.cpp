// Filling, emptying and reading the edits of an add/edit page.
#include "boxset.h"

#include "controls/prolabeledit.h"
#include "data/store/table.h"

namespace kv::codelists {

void BoxSet::add(controls::TProLabelEdit* edit, const char* fieldName) {
    boxes_.append({edit, QLatin1String(fieldName)});
}

QStringList BoxSet::fieldNames() const {
    QStringList out;
    for (const auto& b : boxes_)
        out << b.second;
    return out;
}

void BoxSet::fill(store::Table& table) {
    for (const auto& [edit, field] : boxes_)
        edit->setText(table.fieldByName(field).asString());
    settle();
}

void BoxSet::clear() {
    for (const auto& b : boxes_)
        b.first->setText(QString());
    settle();
}

QStringList BoxSet::texts() const {
    QStringList out;
    for (const auto& b : boxes_)
        out << b.first->text();
    return out;
}

bool BoxSet::edited() const {
    const QStringList now = texts();
    if (settled_.isEmpty())
        return now.join(QString()) != QString();
    return now != settled_;
}

void BoxSet::settle() {
    settled_ = texts();
}

QList<std::pair<QString, QVariant>> BoxSet::values() const {
    QList<std::pair<QString, QVariant>> out;
    for (const auto& [edit, field] : boxes_)
        out.append({field, edit->text()});
    return out;
}

QString BoxSet::text(const QString& fieldName) const {
    for (const auto& [edit, field] : boxes_)
        if (field == fieldName)
            return edit->text();
    return {};
}

} // namespace kv::codelists
