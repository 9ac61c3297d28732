// The printer setup dialog of the preview: the printer (or a PDF file), the paper size and the
// orientation. It only shows and returns a choice; the preview decides what it starts from and
// keeps what the user chose.
#pragma once

#include "printchooser.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

namespace kv::report {

class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    // `printers` are the names offered; `start` is shown first (a printer not among them is added,
    // so a choice made earlier is never silently replaced).
    PrinterSetupDialog(const QStringList& printers, const PrinterSetupChoice& start,
                       QWidget* parent = nullptr);

    PrinterSetupChoice choice() const;

    // The paper sizes offered, in this order.
    static const QList<QPageSize::PageSizeId>& papers();

    QComboBox* cbTiskarna = nullptr;
    QComboBox* cbPapir = nullptr;
    QRadioButton* rbNaVysku = nullptr;
    QRadioButton* rbNaSirku = nullptr;
};

} // namespace kv::report
