// The workbook through libxlsxwriter, under a temporary name until it is whole.
#include "workbookwriter.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <xlsxwriter.h>

namespace kv::report {

WorkbookWriter::WorkbookWriter(const QString& path)
    : path_(path)
    , temporary_(QFileInfo(path).absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(QFileInfo(path).fileName()))) {
    // The temporary file reserves a name of its own beside the target; the library writes over it.
    if (QFileInfo(path).isDir() || !temporary_.open())
        fail(QFileInfo(path).isDir() ? QStringLiteral("je to složka.") : temporary_.errorString());
    temporary_.close();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray tmpdir = QFile::encodeName(QDir::tempPath());
    options.tmpdir = const_cast<char*>(tmpdir.constData());
    const QByteArray name = QFile::encodeName(temporary_.fileName());
    workbook_ = workbook_new_opt(name.constData(), &options);
    if (!workbook_)
        fail(QStringLiteral("knihovna sešitů nemá dost paměti."));
    sheet_ = workbook_add_worksheet(workbook_, "List1");
    date_ = workbook_add_format(workbook_);
    format_set_num_format(date_, "d.m.yyyy");
    dateTime_ = workbook_add_format(workbook_);
    format_set_num_format(dateTime_, "d.m.yyyy h:mm");
    if (!sheet_ || !date_ || !dateTime_)
        fail(QStringLiteral("knihovna sešitů nemá dost paměti."));
}

WorkbookWriter::~WorkbookWriter() {
    // An unfinished workbook is dropped: closing it would write what it has.
    if (workbook_)
        lxw_workbook_free(workbook_);
}

void WorkbookWriter::fail(const QString& why) const {
    throw WorkbookWriteError(QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(path_, why));
}

void WorkbookWriter::check(int error) const {
    if (error != LXW_NO_ERROR)
        fail(QString::fromLatin1(lxw_strerror(lxw_error(error))));
}

void WorkbookWriter::cell(int row, int column, const SheetValue& value) {
    switch (value.kind) {
    case SheetValue::Kind::Text:
        text(row, column, QStringView(value.text).left(kCellCharacters).toUtf8().constData());
        break;
    case SheetValue::Kind::Number:
        number(row, column, value.number);
        break;
    case SheetValue::Kind::Date:
    case SheetValue::Kind::DateTime:
        date(row, column, value.when.date(), value.when.time(), value.kind == SheetValue::Kind::DateTime);
        break;
    }
}

void WorkbookWriter::text(int row, int column, const char* utf8) {
    check(worksheet_write_string(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), utf8, nullptr));
}

void WorkbookWriter::number(int row, int column, double value) {
    check(worksheet_write_number(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), value, nullptr));
}

void WorkbookWriter::date(int row, int column, QDate date, QTime time, bool withTime) {
    lxw_datetime when{date.year(), date.month(), date.day(), time.hour(), time.minute(), double(time.second())};
    check(worksheet_write_datetime(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 1), &when,
                                   withTime ? dateTime_ : date_));
}

void WorkbookWriter::finish() {
    lxw_workbook* workbook = workbook_;
    workbook_ = nullptr;
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR)
        fail(QString::fromLatin1(lxw_strerror(error)));
    // rename() puts the whole file in the target's place in one step.
    if (std::rename(QFile::encodeName(temporary_.fileName()).constData(), QFile::encodeName(path_).constData()) != 0)
        fail(QString::fromLocal8Bit(std::strerror(errno)));
    temporary_.setAutoRemove(false);
}

void exportWorkbook(Report& report, const QString& path, const std::function<void()>& onRecord) {
    WorkbookWriter writer(path);
    {
        CellsAhead ahead(writer);
        SpreadsheetOutput output(ahead);
        output.onRecord = onRecord;
        output.execute(report);
        ahead.finish();
    }
    writer.finish();
}

} // namespace kv::report
