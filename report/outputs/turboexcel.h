// The spreadsheet a report is sent to: a conversation with the service "Excel" on the topic
// "System", over which macro commands are executed and the status is asked for. When the service
// does not answer, the program ExeName is started from the path and asked again.
#pragma once

#include "conversation.h"

#include <QDate>
#include <QObject>

namespace kv::report {

class TTurboExcel : public QObject {
    Q_OBJECT
public:
    explicit TTurboExcel(QObject* parent = nullptr);
    ~TTurboExcel() override;

    // The program started when the service does not answer; an assigned extension is removed.
    // Setting it closes an open conversation.
    const QString& ExeName() const { return exeName_; }
    void SetExeName(const QString& name);
    // Decimals of numbers put by PutExt.
    int Decimals = 2;
    // Rows per block of a block transfer (never above BatchMax) and its limit (never below BatchMin).
    int BatchMin() const { return batchMin_; }
    void SetBatchMin(int v) { batchMin_ = std::min(v, batchMax_); }
    int BatchMax() const { return batchMax_; }
    void SetBatchMax(int v) { batchMax_ = std::max(v, batchMin_); }
    // The service spoken to: "Excel". Tests name a service of their own.
    QString Service = QStringLiteral("Excel");
    // How long a started program has to begin answering, milliseconds.
    int StartTimeoutMs = 10000;

    bool Connected() const { return connected_; }

    // Opens the conversation, starting ExeName when the service does not answer. Throws
    // ReportError "Excel nenalezen!" when nothing answers.
    void Connect();
    // Here there is no registry of programs: nothing is found and ExeName stays.
    void FindExcel();
    void Disconnect();
    // Throws "Excel nelze připojit!" without a conversation.
    void CheckConnected() const;
    // The item's text, or "*** bez odpovědi ***" when the service gives none.
    QString Request(const QString& item);
    bool IsReady();
    QString GetSelection();
    // Asks up to 64 times whether the service is ready; throws "Excel neodpovídá!" otherwise.
    void WaitReady();
    // Executes `command`; refused, it waits until ready and tries once more, waiting for the
    // command to finish; refused again, throws "\"<command>\" není excelem akceptováno!".
    void Exec(const QString& command);
    void Select(int row, int column);
    void PutStr(int row, int column, const QString& text);
    void PutExt(int row, int column, double number);
    void PutCurrency(int row, int column, double amount);
    void PutInt(int row, int column, int number);
    void PutDate(int row, int column, const QDate& date);

Q_SIGNALS:
    void OnOpen();
    void OnClose();

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
