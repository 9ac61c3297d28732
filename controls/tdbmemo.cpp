// Showing, editing and writing back one field through a multi-line text.
#include "tdbmemo.h"

#include <QKeyEvent>

namespace kv::controls {

namespace {

// Keys that change the text; the record must be in edit state before they do.
bool changesText(const QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
        event->matches(QKeySequence::DeleteStartOfWord) || event->matches(QKeySequence::DeleteEndOfWord))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    if (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    return !text.isEmpty() && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t'));
}

} // namespace

TDBMemo::TDBMemo(QWidget* parent)
    : QPlainTextEdit(parent) {
    connect(&link_, &FieldLink::dataChanged, this, &TDBMemo::showField);
    connect(&link_, &FieldLink::stateChanged, this, &TDBMemo::applyReadOnly);
    connect(&link_, &FieldLink::updateData, this, &TDBMemo::writeField);
    applyReadOnly();
}

QString TDBMemo::toShown(const QString& stored) {
    QString s = stored;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return s;
}

QString TDBMemo::toStored(const QString& shown) {
    QString s = shown;
    s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return s;
}

void TDBMemo::setReadOnlySetting(bool on) {
    readOnly_ = on;
    applyReadOnly();
}

void TDBMemo::applyReadOnly() {
    setReadOnly(readOnly_ || !link_.field());
}

void TDBMemo::showField() {
    // Our own write comes back as a field change; the text is already what it shows.
    if (writing_)
        return;
    applyReadOnly();
    const store::Field* f = link_.field();
    setPlainText(f ? toShown(f->asString()) : QString());
}

void TDBMemo::writeField() {
    store::Field* f = link_.field();
    if (!f || !document()->isModified())
        return;
    writing_ = true;
    try {
        f->setAsString(toStored(toPlainText()));
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    document()->setModified(false);
}

bool TDBMemo::startEditing() {
    if (isReadOnly())
        return false;
    // A refused edit (a lock held by another station) passes on to the application's error window
    // and the key is not applied.
    return link_.editing() || link_.edit();
}

void TDBMemo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && link_.editing()) {
        link_.cancelAfterAsking(this);
        return;
    }
    if (changesText(event))
        startEditing();
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::insertFromMimeData(const QMimeData* source) {
    if (startEditing())
        QPlainTextEdit::insertFromMimeData(source);
}

} // namespace kv::controls
