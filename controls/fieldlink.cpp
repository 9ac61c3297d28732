// Forwards the data source's notifications that concern one field.
#include "fieldlink.h"

#include "ui/dialogs.h"

namespace kv::controls {

FieldLink::FieldLink(QObject* parent)
    : QObject(parent) {}

void FieldLink::setDataSource(store::DataSource* source) {
    source_ = source;
    reconnect();
}

void FieldLink::setFieldName(const QString& name) {
    fieldName_ = name;
    Q_EMIT dataChanged();
}

void FieldLink::reconnect() {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    if (source_) {
        connections_ << connect(source_, &store::DataSource::dataChanged, this, [this](int index) {
            const store::Field* f = field();
            if (index < 0 || (f && f->index() == index))
                Q_EMIT dataChanged();
        });
        connections_ << connect(source_, &store::DataSource::updateData, this, &FieldLink::updateData);
        connections_ << connect(source_, &store::DataSource::stateChanged, this, &FieldLink::stateChanged);
        connections_ << connect(source_, &store::DataSource::dataSetChanged, this, [this] {
            Q_EMIT stateChanged();
            Q_EMIT dataChanged();
        });
    }
    Q_EMIT stateChanged();
    Q_EMIT dataChanged();
}

store::Table* FieldLink::table() const {
    return source_ ? source_->dataSet() : nullptr;
}

store::Field* FieldLink::field() const {
    store::Table* t = table();
    if (!t || !t->isOpen() || fieldName_.isEmpty())
        return nullptr;
    return t->findField(fieldName_);
}

bool FieldLink::editing() const {
    const store::Table* t = table();
    return t && (t->state() == store::Table::State::Edit || t->state() == store::Table::State::Insert);
}

QString cancelTypingQuestion() {
    return QStringLiteral("Zrušit provedené změny záznamu?");
}

bool FieldLink::cancelAfterAsking(QWidget* asker) {
    if (!ui::askYesNo(cancelTypingQuestion(), ui::MsgStyle::Warning, asker))
        return false;
    table()->cancel();
    return true;
}

bool FieldLink::edit() {
    if (!field())
        return false;
    if (!editing())
        table()->edit();
    return editing();
}

} // namespace kv::controls
