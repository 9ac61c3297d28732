// The set-up program's window and what its buttons do.
#include "initdataserverdialog.h"

#include "initdataserver.h"

#include "ui/dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::tools {

InitDataServerDialog::InitDataServerDialog(const QString& folder, QWidget* parent)
    : QDialog(parent)
    , folder_(folder) {
    setWindowTitle(QStringLiteral("Kalmorvaty - příprava databáze"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Kde budou uložena data programu Kalmorvaty?"), this));
    embedded_ = new QRadioButton(QStringLiteral("Na tomto počítači (jeden uživatel)"), this);
    server_ = new QRadioButton(QStringLiteral("Na databázovém serveru PostgreSQL (více stanic)"), this);
    embedded_->setChecked(true);
    layout->addWidget(embedded_);
    layout->addWidget(server_);
    auto* form = new QFormLayout;
    host_ = new QLineEdit(QStringLiteral("localhost"), this);
    login_ = new QLineEdit(QStringLiteral("SYSDBA"), this);
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    database_ = new QLineEdit(QStringLiteral("Kalmorvaty"), this);
    form->addRow(QStringLiteral("Server:"), host_);
    form->addRow(QStringLiteral("Uživatel:"), login_);
    form->addRow(QStringLiteral("Heslo:"), password_);
    form->addRow(QStringLiteral("Databáze:"), database_);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ui::useProgramCaptions(*buttons);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Připravit"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &InitDataServerDialog::prepare);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(server_, &QRadioButton::toggled, this, &InitDataServerDialog::updateEnabled);
    updateEnabled();
}

void InitDataServerDialog::updateEnabled() {
    const bool remote = server_->isChecked();
    host_->setEnabled(remote);
    login_->setEnabled(remote);
    password_->setEnabled(remote);
}

void InitDataServerDialog::prepare() {
    SetupRequest r;
    r.protocol = server_->isChecked() ? 1 : 0;
    r.server = host_->text().trimmed();
    r.login = login_->text().trimmed();
    r.password = password_->text();
    r.database = database_->text().trimmed();
    r.folder = folder_;
    const SetupResult result = prepareDatabase(r);
    if (!result.ok) {
        ui::showError(result.message, this);
        return;
    }
    ui::dialogs().message(result.message, ui::MsgStyle::Information, ui::MsgButton::Ok, this);
    accept();
}

} // namespace kv::tools
