// What making an order number asks of the program while the new order window waits for it: the
// application's busy pointer, the message box of the dialog seam, and a pause that blocks.
#pragma once

#include "data/ordernumber.h"

class QWidget;

namespace kv::orders {

class WindowOrderNumberUi : public data::OrderNumberUi {
public:
    explicit WindowOrderNumberUi(QWidget* parent)
        : parent_(parent) {}
    void setBusy(bool on) override;
    void showError(const QString& text) override;
    void pause(int milliseconds) override;

private:
    QWidget* parent_;
};

} // namespace kv::orders
