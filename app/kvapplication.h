// The program's QApplication: every exception that escapes an event handler is caught here and
// handed to the application-wide exception handler, so no error ends the program.
#pragma once

#include <QApplication>

namespace kv::app {

class KvApplication : public QApplication {
    Q_OBJECT
public:
    KvApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace kv::app
