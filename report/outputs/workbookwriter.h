// A workbook (.xlsx) of one worksheet written through libxlsxwriter in its constant-memory mode: each
// row goes to a temporary file once the next one begins, so a sheet of any length takes the memory of
// a row. Dates carry the Czech formats "d.m.yyyy" and "d.m.yyyy h:mm". The workbook is written under a
// temporary name beside the target and takes the target's name only when it is whole.
#pragma once

#include "cellsahead.h"
#include "spreadsheetoutput.h"

#include "report/model/reporterror.h"
#include "report/model/report.h"

#include <QTemporaryFile>
#include <functional>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace kv::report {

class WorkbookWriteError : public ReportError {
public:
    using ReportError::ReportError;
};

class WorkbookWriter : public SheetCells, public EncodedCells {
public:
    // Throws WorkbookWriteError naming `path` when its folder takes no file.
    explicit WorkbookWriter(const QString& path);
    ~WorkbookWriter() override;
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // Rows and columns from 1; texts cut to kCellCharacters. Each throws WorkbookWriteError for a cell
    // the library refuses.
    void cell(int row, int column, const SheetValue& value) override;
    void text(int row, int column, const char* utf8) override;
    void number(int row, int column, double value) override;
    void date(int row, int column, QDate date, QTime time, bool withTime) override;
    // Writes the workbook and gives it the target's name. Throws WorkbookWriteError naming the file;
    // nothing is left behind then, and an earlier file of the name stays as it was.
    void finish();

private:
    [[noreturn]] void fail(const QString& why) const;
    void check(int error) const;

    QString path_;
    QTemporaryFile temporary_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* date_ = nullptr;
    lxw_format* dateTime_ = nullptr;
};

// Runs the spreadsheet output over `report` into a workbook at `path`, the library writing the cells
// on a thread of its own while the walk goes on. `onRecord` hears, on the calling thread, of each
// record of the report's data source as it goes in.
void exportWorkbook(Report& report, const QString& path, const std::function<void()>& onRecord = {});

} // namespace kv::report
