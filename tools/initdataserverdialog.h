// The set-up program's window: embedded database (the default, one click) or a PostgreSQL server
// with host, user, password and database name.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace kv::tools {

class InitDataServerDialog : public QDialog {
    Q_OBJECT
public:
    explicit InitDataServerDialog(const QString& folder, QWidget* parent = nullptr);

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
};

} // namespace kv::tools
