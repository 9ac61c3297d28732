// TFormDar: the support notice, a borderless green window asking for a voluntary contribution,
// shown at most once a day at start-up. It closes itself after a 30-second countdown shown in the
// close button's caption, or at once with that button.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace kv::app {

class TFormDar : public QDialog {
    Q_OBJECT
public:
    // `tickMs` is the countdown step, one second in the program.
    explicit TFormDar(int tickMs = 1000, QWidget* parent = nullptr);

    static QString closeCaption(int seconds);

    QPushButton* tlZavri;
    QTimer* Timer1;
    int secondsLeft() const { return counter_; }

    // One countdown step; the last one closes the notice.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int counter_ = 30;
};

} // namespace kv::app
