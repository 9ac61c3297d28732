// Creating the print preview window and the report container at start-up.
#include "printwindows.h"

#include "formnahledtisku.h"
#include "sestavy.h"

#include "data/datmod.h"
#include "report/reporterror.h"

#include <QWidget>

namespace kv::print {

void createPrintWindows(QWidget* mainWindow) {
    if (!FormNahledTisku)
        FormNahledTisku = new TFormNahledTisku(mainWindow);
    if (!Sestavy) {
        if (!kv::data::DM)
            throw kv::report::ReportError(QStringLiteral("Sestavy nelze vytvořit bez datového modulu."));
        Sestavy = new TSestavy(*kv::data::DM, mainWindow);
    }
}

} // namespace kv::print
