// What connecting needs from the user interface, kept behind an interface so that the data module
// has no widgets in it: the application's dialog seam implements it, tests script it.
#pragma once

#include <QString>

namespace kv::data {

class ConnectionUi {
public:
    virtual ~ConnectionUi() = default;
    virtual void showError(const QString& text) = 0;        // error style, OK
    virtual bool confirm(const QString& text) = 0;          // confirmation style, Yes / No; true for Yes
    virtual void showMessage(const QString& text) = 0;      // plain message box, OK
    virtual void beforeSetupProgram() = 0;                  // minimise the application
    virtual void afterSetupProgram() = 0;                   // restore it, process pending messages
    virtual void requestTerminate() = 0;                    // the user gave up connecting
};

// Connecting with no user to ask (tools, the benchmark, tests): every message is collected, no
// question is answered yes, so nothing is retried.
class UnattendedConnectionUi : public ConnectionUi {
public:
    void showError(const QString& text) override { messages += text + QLatin1Char('\n'); }
    bool confirm(const QString&) override { return false; }
    void showMessage(const QString& text) override { messages += text + QLatin1Char('\n'); }
    void beforeSetupProgram() override {}
    void afterSetupProgram() override {}
    void requestTerminate() override {}
    QString messages;
};

} // namespace kv::data
