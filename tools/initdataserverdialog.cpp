// The set-up program's window and what its buttons do.
#include "initdataserverdialog.h"

#include "initdataserver.h"

#include "ui/dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::tools {

InitDataServerDialog::InitDataServerDialog(const QString& folder, bool upgrade, QWidget* parent)
    : QDialog(parent)
    , folder_(folder) {
    const SetupRequest start = requestFromFolder(folder);
    setWindowTitle(QStringLiteral("Kalmorvaty - příprava databáze"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Kde budou uložena data programu Kalmorvaty?"), this));
    embedded_ = new QRadioButton(QStringLiteral("Na tomto počítači (jeden uživatel)"), this);
    server_ = new QRadioButton(QStringLiteral("Na databázovém serveru PostgreSQL (více stanic)"), this);
    embedded_->setObjectName(QStringLiteral("rbEmbedded"));
    server_->setObjectName(QStringLiteral("rbServer"));
    (start.protocol == 1 ? server_ : embedded_)->setChecked(true);
    layout->addWidget(embedded_);
    layout->addWidget(server_);
    auto* form = new QFormLayout;
    host_ = new QLineEdit(start.server, this);
    login_ = new QLineEdit(start.login, this);
    password_ = new QLineEdit(start.password, this);
    password_->setEchoMode(QLineEdit::Password);
    database_ = new QLineEdit(start.database, this);
    const std::tuple<QLineEdit*, const char*, QString> rows[] = {
        {host_, "edServer", QStringLiteral("Server:")},
        {login_, "edLogin", QStringLiteral("Uživatel:")},
        {password_, "edHeslo", QStringLiteral("Heslo:")},
        {database_, "edDatabaze", QStringLiteral("Databáze:")}};
    for (const auto& [edit, name, caption] : rows) {
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(caption);
        form->addRow(caption, edit);
    }
    layout->addLayout(form);
    upgrade_ = new QCheckBox(QStringLiteral("Převést databázi na novou verzi"), this);
    upgrade_->setObjectName(QStringLiteral("chUpgrade"));
    upgrade_->setToolTip(
        QStringLiteral("Databázi z dřívější verze programu převede na tuto verzi a zachová všechny "
                       "záznamy. Nejprve aktualizujte program na všech stanicích."));
    upgrade_->setChecked(upgrade);
    layout->addWidget(upgrade_);
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
    r.upgrade = upgrade_->isChecked();
    const SetupResult result = prepareDatabase(r);
    if (!result.ok) {
        ui::showError(result.message, this);
        return;
    }
    ui::dialogs().message(result.message, ui::MsgStyle::Information, ui::MsgButton::Ok, this);
    accept();
}

} // namespace kv::tools
