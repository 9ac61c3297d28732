// The spreadsheet conversation: connecting, executing commands, requests and the put operations.
#include "spreadsheetconversation.h"

#include "report/model/reporterror.h"

#include "base/czechformat.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QThread>

namespace kv::report {

SpreadsheetConversation::SpreadsheetConversation(QObject* parent)
    : QObject(parent) {}

SpreadsheetConversation::~SpreadsheetConversation() {
    disconnect();
}

void SpreadsheetConversation::setExeName(const QString& name) {
    disconnect();
    const QFileInfo info(name);
    exeName_ = info.suffix().isEmpty() ? name : name.left(name.size() - info.suffix().size() - 1);
}

void SpreadsheetConversation::processOneMessage() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

bool SpreadsheetConversation::openLink(bool mayStart) {
    if (link_.open(service, QStringLiteral("System"), 500)) {
        connected_ = true;
        Q_EMIT onOpen();
        return true;
    }
    if (!mayStart || exeName_.isEmpty() || !QProcess::startDetached(exeName_, {}))
        return false;
    // The started program needs a while before it answers.
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!deadline.hasExpired()) {
        if (link_.open(service, QStringLiteral("System"), 200)) {
            connected_ = true;
            Q_EMIT onOpen();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void SpreadsheetConversation::connect() {
    if (connected_)
        return;
    // The program is started once; the later attempts only ask again.
    if (openLink(true))
        return;
    findExcel();
    if (openLink(false))
        return;
    processOneMessage();
    if (openLink(false))
        return;
    throw ReportError(QStringLiteral("Excel nenalezen!"));
}

void SpreadsheetConversation::findExcel() {}

void SpreadsheetConversation::disconnect() {
    if (!connected_)
        return;
    link_.close();
    connected_ = false;
    Q_EMIT onClose();
}

void SpreadsheetConversation::checkConnected() const {
    if (!connected_)
        throw ReportError(QStringLiteral("Excel nelze připojit!"));
}

QString SpreadsheetConversation::request(const QString& item) {
    checkConnected();
    processOneMessage();
    return link_.request(item).value_or(QStringLiteral("*** bez odpovědi ***"));
}

bool SpreadsheetConversation::isReady() {
    return request(QStringLiteral("Status")) == QLatin1String("Ready");
}

QString SpreadsheetConversation::getSelection() {
    return request(QStringLiteral("Selection"));
}

void SpreadsheetConversation::waitReady() {
    for (int i = 0; i < 64; ++i) {
        if (isReady())
            return;
    }
    throw ReportError(QStringLiteral("Excel neodpovídá!"));
}

void SpreadsheetConversation::exec(const QString& command) {
    checkConnected();
    if (!link_.execute(command, false)) {
        waitReady();
        if (!link_.execute(command, true))
            throw ReportError(QLatin1Char('"') + command + QStringLiteral("\" není excelem akceptováno!"));
    }
    processOneMessage();
}

void SpreadsheetConversation::select(int row, int column) {
    exec(QStringLiteral("[SELECT(\"R%1C%2\")]").arg(row).arg(column));
}

void SpreadsheetConversation::putStr(int row, int column, const QString& text) {
    exec(QStringLiteral("[FORMULA(\"%1\",\"R%2C%3\")]").arg(text).arg(row).arg(column));
}

void SpreadsheetConversation::putExt(int row, int column, double number) {
    QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    czech.setNumberOptions(QLocale::OmitGroupSeparator);
    putStr(row, column, czech.toString(number, 'f', std::max(decimals, 0)));
}

void SpreadsheetConversation::putCurrency(int row, int column, double amount) {
    putStr(row, column,
           QLocale(QLocale::Czech, QLocale::CzechRepublic).toCurrencyString(amount, QStringLiteral("Kč"), 2));
}

void SpreadsheetConversation::putInt(int row, int column, int number) {
    putStr(row, column, QString::number(number));
}

void SpreadsheetConversation::putDate(int row, int column, const QDate& date) {
    putStr(row, column, kv::shortDate(date));
}

} // namespace kv::report
