// The clock seam: the real time, or the fixed moment a test set.
#include "clock.h"

namespace kv::clock {
namespace {
QDateTime& fixedTime() {
    static QDateTime t;
    return t;
}
} // namespace

QDateTime now() {
    return fixedTime().isValid() ? fixedTime() : QDateTime::currentDateTime();
}
QDate today() {
    return now().date();
}
void setFixed(const QDateTime& fixed) {
    fixedTime() = fixed;
}
void clearFixed() {
    fixedTime() = QDateTime();
}

} // namespace kv::clock
