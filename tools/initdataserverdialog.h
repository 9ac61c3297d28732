// The set-up program's window: embedded database (the default, one click) or a PostgreSQL server
// with host, user, password and database name, filled from SERVER.INI when it exists, and the choice
// to convert a database of an earlier version.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace kv::tools {

class InitDataServerDialog : public QDialog {
    Q_OBJECT
public:
    // `upgrade`: the conversion box starts ticked.
    explicit InitDataServerDialog(const QString& folder, bool upgrade = false, QWidget* parent = nullptr);

private:
    void prepare();
    void updateEnabled();

    QString folder_;
    QRadioButton* embedded_;
    QRadioButton* server_;
    QLineEdit* host_;
    QLineEdit* login_;
    QLineEdit* password_;
    QLineEdit* database_;
    QCheckBox* upgrade_;
};

} // namespace kv::tools
