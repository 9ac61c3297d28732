// Creating the print preview window and the report container, and showing a report.
#include "printwindows.h"

#include "formnahledtisku.h"
#include "sestavy.h"

#include "base/programfolder.h"
#include "data/datmod.h"
#include "report/model/reporterror.h"
#include "ui/dialogs.h"

namespace kv::print {

std::unique_ptr<QObject> createPrintPreview() {
    return std::make_unique<TFormNahledTisku>();
}

std::unique_ptr<QObject> createReportContainer() {
    if (!kv::data::DM)
        throw kv::report::ReportError(QStringLiteral("Sestavy nelze vytvořit bez datového modulu."));
    return std::make_unique<TSestavy>(*kv::data::DM);
}

void showReport(kv::report::Report* report, const QString& reportName, ReportDocument document) {
    if (!FormNahledTisku)
        throw kv::report::ReportError(QStringLiteral("Náhled tisku ještě nebyl vytvořen."));
    if (kv::data::DM && kv::data::DM->tabSystem.isOpen())
        document.author = kv::data::DM->tabSystem.fieldByName(QStringLiteral("Firma")).asString();
    FormNahledTisku->Document = document;
    kv::report::ReportPreview* view = FormNahledTisku->NahledReportu;
    view->setReport(report);
    view->setReportDirectory(kv::programFolder());
    view->setReportName(reportName);
    kv::ui::dialogs().showModal(*FormNahledTisku);
}

} // namespace kv::print
