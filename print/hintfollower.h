// Copies the application's current hint (the status tip of the control under the mouse) into a
// label while it is installed, and stops when removed, leaving the application as it was.
#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>

namespace kv::print {

class HintFollower : public QObject {
    Q_OBJECT
public:
    explicit HintFollower(QLabel* label, QObject* parent = nullptr);
    ~HintFollower() override;

    // Starts following the application's hints; installing twice changes nothing.
    void install();
    // Stops following them.
    void remove();
    bool installed() const { return installed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLabel> label_;
    bool installed_ = false;
};

} // namespace kv::print
