// The printer setup dialog: printer, paper and orientation.
#include "printersetupdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kv::report {

namespace {
const QString kPdfFile = QStringLiteral("Soubor PDF (název se zadá při tisku)");
} // namespace

const QList<QPageSize::PageSizeId>& PrinterSetupDialog::papers() {
    static const QList<QPageSize::PageSizeId> list = {QPageSize::A3,   QPageSize::A4,    QPageSize::A5,
                                                      QPageSize::B4,   QPageSize::JisB5, QPageSize::Letter,
                                                      QPageSize::Legal};
    return list;
}

PrinterSetupDialog::PrinterSetupDialog(const QStringList& printers, const PrinterSetupChoice& start,
                                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PrinterSetupDialog"));
    setWindowTitle(QStringLiteral("Nastavení tiskárny"));

    cbTiskarna = new QComboBox(this);
    cbTiskarna->setObjectName(QStringLiteral("cbTiskarna"));
    cbTiskarna->setAccessibleName(QStringLiteral("Tiskárna"));
    QStringList names = printers;
    if (!start.printer.isEmpty() && !names.contains(start.printer))
        names.prepend(start.printer);
    for (const QString& name : names)
        cbTiskarna->addItem(name, name);
    cbTiskarna->addItem(kPdfFile, QString());
    cbTiskarna->setCurrentIndex(cbTiskarna->findData(start.printer));

    cbPapir = new QComboBox(this);
    cbPapir->setObjectName(QStringLiteral("cbPapir"));
    cbPapir->setAccessibleName(QStringLiteral("Velikost papíru"));
    QList<QPageSize::PageSizeId> offered = papers();
    if (!offered.contains(start.paper))
        offered.append(start.paper);
    for (QPageSize::PageSizeId id : offered)
        cbPapir->addItem(QPageSize::name(id), int(id));
    cbPapir->setCurrentIndex(cbPapir->findData(int(start.paper)));

    auto* orientation = new QGroupBox(QStringLiteral("Orientace"), this);
    rbNaVysku = new QRadioButton(QStringLiteral("Na výšku"), orientation);
    rbNaVysku->setObjectName(QStringLiteral("rbNaVysku"));
    rbNaSirku = new QRadioButton(QStringLiteral("Na šířku"), orientation);
    rbNaSirku->setObjectName(QStringLiteral("rbNaSirku"));
    (start.orientation == QPageLayout::Landscape ? rbNaSirku : rbNaVysku)->setChecked(true);
    auto* radios = new QHBoxLayout(orientation);
    radios->addWidget(rbNaVysku);
    radios->addWidget(rbNaSirku);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Storno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Tiskárna:"), cbTiskarna);
    form->addRow(QStringLiteral("&Velikost papíru:"), cbPapir);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(orientation);
    column->addWidget(buttons);
}

PrinterSetupChoice PrinterSetupDialog::choice() const {
    PrinterSetupChoice c;
    c.printer = cbTiskarna->currentData().toString();
    c.paper = QPageSize::PageSizeId(cbPapir->currentData().toInt());
    c.orientation = rbNaSirku->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return c;
}

} // namespace kv::report
