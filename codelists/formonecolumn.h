// The payment methods window TFormPlatba and the transport types window TFormDoprava: one design,
// a list of one-column entries with an add box and a duplicate check. They differ only in the
// texts, table and field of their OneColumnListSetup.
#pragma once

#include "codelistwindow.h"

class QPushButton;

namespace kv::controls {
class DBGrid;
class TDBNavigator;
class TProLabelEdit;
} // namespace kv::controls

namespace kv::data {
class TDM;
}

namespace kv::store {
class DataSource;
class Table;
} // namespace kv::store

namespace kv::codelists {

struct OneColumnListSetup {
    const char* objectName; // "FormPlatba"
    QString caption;        // the window's title
    store::DataSource* source;
    QString fieldName;    // the table's one field
    const char* editName; // "edTypPlatby"
    QString editCaption;
    QString addCaption; // the add button's caption
    QString duplicateMessage;
};

class TFormOneColumnList : public CodeListWindow {
    Q_OBJECT
public:
    TFormOneColumnList(const OneColumnListSetup& setup, QWidget* parent = nullptr);

    controls::DBGrid* GridDoprava;
    controls::TDBNavigator* NavDoprava;
    QPushButton* tlPridat;
    QPushButton* tlZavrit;

    store::Table& table() const;
    // The entry the cursor stands on; empty when the list is empty.
    QString currentEntry() const;

    void tlPridatClick();
    void tlZavritClick();

protected:
    // The add box: edTypPlatby or edTypDopr.
    controls::TProLabelEdit* addBox() const { return box_; }
    // The box's change handler: the add button follows the text.
    void boxChange();
    void FormShow() override;

private:
    OneColumnListSetup setup_;
    controls::TProLabelEdit* box_;
};

class TFormPlatba : public TFormOneColumnList {
    Q_OBJECT
public:
    explicit TFormPlatba(data::TDM& dm, QWidget* parent = nullptr);
    controls::TProLabelEdit* edTypPlatby;
    void edTypPlatbyChange() { boxChange(); }
};

class TFormDoprava : public TFormOneColumnList {
    Q_OBJECT
public:
    explicit TFormDoprava(data::TDM& dm, QWidget* parent = nullptr);
    controls::TProLabelEdit* edTypDopr;
    void edTypDoprChange() { boxChange(); }
};

} // namespace kv::codelists
