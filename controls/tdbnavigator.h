// TDBNavigator: a row of buttons that moves the cursor of a data source's table and edits it
// (first, prior, next, last, insert, delete, edit, post, cancel, refresh). Windows choose the
// buttons shown; each button is enabled only when its action can run (navigatoractions.h).
#pragma once

#include "navigatoractions.h"

#include "data/store/datasource.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QToolButton;

namespace kv::controls {

class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBNavigator(QWidget* parent = nullptr);

    store::DataSource* dataSource() const { return source_; }
    void setDataSource(store::DataSource* source);

    // The buttons shown, in their fixed order; all ten by default.
    void setVisibleButtons(std::initializer_list<TNavigateBtn> buttons);
    bool isButtonVisible(TNavigateBtn b) const;
    // Delete asks "Vymazat záznam?" first (after the data source's delete check); on by default.
    bool confirmDelete() const { return confirmDelete_; }
    void setConfirmDelete(bool on) { confirmDelete_ = on; }

    // The button's widget, named after the button ("nbFirst" ... "nbRefresh"); its hint is also
    // its accessible name.
    QToolButton* button(TNavigateBtn b) const { return buttons_[std::size_t(b)]; }
    // Presses `b` as a click does (nothing when it is disabled).
    void click(TNavigateBtn b);

Q_SIGNALS:
    // After a button's action ran (OnClick).
    void clicked(kv::controls::TNavigateBtn button);

private:
    void updateButtons();

    QPointer<store::DataSource> source_;
    QList<QMetaObject::Connection> connections_;
    std::array<QToolButton*, kNavigateButtonCount> buttons_{};
    bool confirmDelete_ = true;
};

} // namespace kv::controls
