// Naming the orders windows' controls: every control carries its own name as objectName and its
// caption (or what it shows) as the accessible name screen readers read.
#pragma once

#include "controls/prolabeledit.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace kv::orders {

template <class W> W* named(W* widget, const char* objectName, const QString& accessibleName) {
    widget->setObjectName(QLatin1String(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

// A labelled edit: the composite and its edit box both answer to the caption.
template <class W> W* namedEdit(W* edit, const char* objectName, const QString& caption) {
    static_assert(std::is_base_of_v<controls::TProLabelEdit, W>);
    edit->setCaption(caption);
    edit->editBox()->setAccessibleName(caption);
    return named(edit, objectName, caption);
}

// A date picker: the picker and the text box inside it that takes the focus.
inline QDateEdit* namedDate(QDateEdit* picker, const char* objectName, const QString& accessibleName) {
    if (auto* box = picker->findChild<QLineEdit*>())
        box->setAccessibleName(accessibleName);
    return named(picker, objectName, accessibleName);
}

} // namespace kv::orders
