// The spreadsheet a report is sent to: a conversation with the service "Excel" on the topic
// "System", over which macro commands are executed and the status is asked for. When the service
// does not answer, the program ExeName is started from the path and asked again.
#pragma once

#include "conversation.h"

#include <QDate>
#include <QObject>

namespace kv::report {

class SpreadsheetConversation : public QObject {
    Q_OBJECT
public:
    explicit SpreadsheetConversation(QObject* parent = nullptr);
    ~SpreadsheetConversation() override;

    // The program started when the service does not answer; an assigned extension is removed.
    // Setting it closes an open conversation.
    const QString& exeName() const { return exeName_; }
    void setExeName(const QString& name);
    // Decimals of numbers put by PutExt.
    int decimals = 2;
    // Rows per block of a block transfer (never above BatchMax) and its limit (never below BatchMin).
    int batchMin() const { return batchMin_; }
    void setBatchMin(int v) { batchMin_ = std::min(v, batchMax_); }
    int batchMax() const { return batchMax_; }
    void setBatchMax(int v) { batchMax_ = std::max(v, batchMin_); }
    // The service spoken to: "Excel". Tests name a service of their own.
    QString service = QStringLiteral("Excel");
    // How long a started program has to begin answering, milliseconds.
    int startTimeoutMs = 10000;

    bool connected() const { return connected_; }

    // Opens the conversation, starting ExeName when the service does not answer. Throws
    // ReportError "Excel nenalezen!" when nothing answers.
    void connect();
    // Here there is no registry of programs: nothing is found and ExeName stays.
    void findExcel();
    void disconnect();
    // Throws "Excel nelze připojit!" without a conversation.
    void checkConnected() const;
    // The item's text, or "*** bez odpovědi ***" when the service gives none.
    QString request(const QString& item);
    bool isReady();
    QString getSelection();
    // Asks up to 64 times whether the service is ready; throws "Excel neodpovídá!" otherwise.
    void waitReady();
    // Executes `command`; refused, it waits until ready and tries once more, waiting for the
    // command to finish; refused again, throws "\"<command>\" není excelem akceptováno!".
    void exec(const QString& command);
    void select(int row, int column);
    void putStr(int row, int column, const QString& text);
    void putExt(int row, int column, double number);
    void putCurrency(int row, int column, double amount);
    void putInt(int row, int column, int number);
    void putDate(int row, int column, const QDate& date);

Q_SIGNALS:
    void onOpen();
    void onClose();

private:
    // Opens the link once; `mayStart` lets it start ExeName when the service does not answer.
    bool openLink(bool mayStart);
    void processOneMessage();

    QString exeName_ = QStringLiteral("Excel");
    int batchMin_ = 200;
    int batchMax_ = 250;
    bool connected_ = false;
    ConversationClient link_;
};

} // namespace kv::report
