// The benchmark's orders list report, laid out like the program's own.
#include "orderslist.h"

#include "report/model/reportdefinition.h"

namespace kv::bench {

// The orders list: title and column titles on every page, the page number at the foot.
const char* const kOrdersListDefinition = R"(
report SeznamObjednavek
Printer.PaperSize A4
Printer.Orientation poLandscape
Margins 10 10 10 0
DataSource DS

band Nadpis rbPageHeader 1047 x 40
Brush grey223
Frame Left Top Bottom Right
Label3 label 1, 0, 1040 x 35 "SEZNAM OBJEDNÁVEK:" 20px centred v-centred transparent fixed
Datum sysdata 800, 18, 240 x 20 "Datum a čas: " right v-centred transparent sdDateTime

band Zapati rbPageFooter 1047 x 25
Frame Left Top Bottom Right
Label2 label 860, 2, 180 x 20 "Vytištěno programem Kalmorvaty - kalmorvaty.cz" 8px right v-centred
Strana sysdata 4, 3, 110 x 17 "Strana: " v-centred sdCurrentPage

band NadpisDetailu rbPageHeader 1047 x 58
Brush grey235
Frame Bottom
Label4 label 1, 3, 77 x 12 "Číslo objednávky:" 9px transparent
Label5 label 1, 16, 46 x 12 "Dodavatel:" 9px transparent
Label35 label 115, 3, 49 x 12 "Vystavena:" 9px transparent
Label41 label 865, 3, 63 x 12 "Způsob platby:" 9px transparent

band Detaily rbDetail 1046 x 60
Frame Bottom
DBText36 datatext 1, 0, 115 x 12 DS.Cislo 9px
DBText37 datatext 1, 15, 860 x 12 DS.Dod_firma 9px
DBText38 datatext 1, 30, 340 x 12 DS.Dod_osoba 9px
DBText40 datatext 120, 0, 70 x 12 DS.Datum 9px
DBText41 datatext 195, 0, 70 x 12 DS.Termin_dod 9px
DBText42 datatext 275, 0, 405 x 12 DS.Objednal 9px
DBText43 datatext 340, 29, 340 x 12 DS.Email 9px
DBText44 datatext 865, 0, 175 x 12 DS.Zpusob_platby 9px
DBText45 datatext 865, 15, 175 x 12 DS.Vyrizena 9px
DBText46 datatext 865, 30, 175 x 12 DS.Stornovana 9px
DBText47 datatext 865, 45, 175 x 12 DS.Vyrizena_dne 9px
DBText48 datatext 685, 0, 175 x 12 DS.Doprava 9px
DBText49 datatext 685, 30, 175 x 12 DS.Dod_Telefon 9px
DBMemo2 datamemo 1, 43, 860 x 12 DS.Text 9px nowordwrap
)";

OrdersList::OrdersList(const QString& folder, int rows)
    : OrdersStation(folder, rows) {
    report = report::parseReportDefinition(QString::fromUtf8(kOrdersListDefinition),
                                           {{QStringLiteral("DS"), &source}});
    report->setMetrics(report::ReportMetrics(96));
}

} // namespace kv::bench
