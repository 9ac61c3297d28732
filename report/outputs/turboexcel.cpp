// The spreadsheet conversation: connecting, executing commands, requests and the put operations.
#include "turboexcel.h"

#include "report/model/reporterror.h"

#include "base/czechformat.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QThread>

namespace kv::report {

TTurboExcel::TTurboExcel(QObject* parent)
    : QObject(parent) {}

TTurboExcel::~TTurboExcel() {
    Disconnect();
}

void TTurboExcel::SetExeName(const QString& name) {
    Disconnect();
    const QFileInfo info(name);
    exeName_ = info.suffix().isEmpty() ? name : name.left(name.size() - info.suffix().size() - 1);
}

void TTurboExcel::processOneMessage() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

bool TTurboExcel::openLink(bool mayStart) {
    if (link_.open(Service, QStringLiteral("System"), 500)) {
        connected_ = true;
        Q_EMIT OnOpen();
        return true;
    }
    if (!mayStart || exeName_.isEmpty() || !QProcess::startDetached(exeName_, {}))
        return false;
    // The started program needs a while before it answers.
    const QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired()) {
        if (link_.open(Service, QStringLiteral("System"), 200)) {
            connected_ = true;
            Q_EMIT OnOpen();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void TTurboExcel::Connect() {
    if (connected_)
        return;
    // The program is started once; the later attempts only ask again.
    if (openLink(true))
        return;
    FindExcel();
    if (openLink(false))
        return;
    processOneMessage();
    if (openLink(false))
        return;
    throw ReportError(QStringLiteral("Excel nenalezen!"));
}

void TTurboExcel::FindExcel() {}

void TTurboExcel::Disconnect() {
    if (!connected_)
        return;
    link_.close();
    connected_ = false;
    Q_EMIT OnClose();
}

void TTurboExcel::CheckConnected() const {
    if (!connected_)
        throw ReportError(QStringLiteral("Excel nelze připojit!"));
}

QString TTurboExcel::Request(const QString& item) {
    CheckConnected();
    processOneMessage();
    return link_.request(item).value_or(QStringLiteral("*** bez odpovědi ***"));
}

bool TTurboExcel::IsReady() {
    return Request(QStringLiteral("Status")) == QLatin1String("Ready");
}

QString TTurboExcel::GetSelection() {
    return Request(QStringLiteral("Selection"));
}

void TTurboExcel::WaitReady() {
    for (int i = 0; i < 64; ++i) {
        if (IsReady())
            return;
    }
    throw ReportError(QStringLiteral("Excel neodpovídá!"));
}

void TTurboExcel::Exec(const QString& command) {
    CheckConnected();
    if (!link_.execute(command, false)) {
        WaitReady();
        if (!link_.execute(command, true))
            throw ReportError(QLatin1Char('"') + command + QStringLiteral("\" není excelem akceptováno!"));
    }
    processOneMessage();
}

void TTurboExcel::Select(int row, int column) {
    Exec(QStringLiteral("[SELECT(\"R%1C%2\")]").arg(row).arg(column));
}

void TTurboExcel::PutStr(int row, int column, const QString& text) {
    Exec(QStringLiteral("[FORMULA(\"%1\",\"R%2C%3\")]").arg(text).arg(row).arg(column));
}

void TTurboExcel::PutExt(int row, int column, double number) {
    QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    czech.setNumberOptions(QLocale::OmitGroupSeparator);
    PutStr(row, column, czech.toString(number, 'f', std::max(Decimals, 0)));
}

void TTurboExcel::PutCurrency(int row, int column, double amount) {
    PutStr(row, column,
           QLocale(QLocale::Czech, QLocale::CzechRepublic).toCurrencyString(amount, QStringLiteral("Kč"), 2));
}

void TTurboExcel::PutInt(int row, int column, int number) {
    PutStr(row, column, QString::number(number));
}

void TTurboExcel::PutDate(int row, int column, const QDate& date) {
    PutStr(row, column, kv::shortDate(date));
}

} // namespace kv::report
