// Reading recorded pages in report and printing tests: the texts written on a page, the lines of
// its text form, and the comparison of a page with a reference file kept in the repository.
#pragma once

#include "report/pages/reportpage.h"

#include <QStringList>

namespace kv::report::test {

// "x,y:text" for every text written on the page (single texts and memo boxes), in drawing order.
QStringList placedTexts(const ReportPage& page);
// The same without the positions.
QStringList plainTexts(const ReportPage& page);
// The lines of the page's text form (pageText) that start with `prefix`.
QStringList opLines(const ReportPage& page, const QString& prefix);

// Compares `got` with the reference file at `path` and fails the running test at the first line
// that differs. With KV_REGENERATE_REFERENCES set in the environment it writes `got` there instead;
// look at the pictures of a changed page before committing its new reference.
void compareWithReference(const QString& got, const QString& path);

} // namespace kv::report::test
