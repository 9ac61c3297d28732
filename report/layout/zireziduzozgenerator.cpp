// The generation walk over bands, records and controls.
#include "zireziduzozgenerator.h"

#include "report/model/tdbimage.h"
#include "report/model/tdbmemo.h"
#include "report/model/tdbtext.h"
#include "report/model/timage.h"
#include "report/model/tlabel.h"
#include "report/model/tmemo.h"
#include "report/model/tshape.h"
#include "report/model/turbogridband.h"
#include "report/model/turbosysdata.h"
#include "report/model/zireziduzoz.h"

#include "base/clock.h"
#include "base/czechformat.h"
#include "data/store/datasource.h"
#include "data/store/field.h"
#include "data/store/table.h"

namespace kv::report {

namespace {
// The data set of a data source, opened when it is closed; null when the source has none.
kv::store::Table* openDataSet(kv::store::DataSource* ds) {
    kv::store::Table* table = ds ? ds->dataSet() : nullptr;
    if (table && !table->isOpen())
        table->open();
    return table;
}
} // namespace

TZirezIduzozGenerator::TZirezIduzozGenerator() = default;

TZirezIduzozGenerator::~TZirezIduzozGenerator() = default;

void TZirezIduzozGenerator::GenerateLabel(TTurboBand&, TCustomLabel&) {}
void TZirezIduzozGenerator::GenerateImage(TTurboBand&, TImage&) {}
void TZirezIduzozGenerator::GenerateDBImage(TTurboBand&, TDBImage&) {}
void TZirezIduzozGenerator::GenerateShape(TTurboBand&, TShape&) {}
void TZirezIduzozGenerator::GenerateMemo(TTurboBand&, TCustomMemo&) {}
void TZirezIduzozGenerator::CheckBand(TTurboBand&) {}
void TZirezIduzozGenerator::AdvanceBand(TTurboBand&) {}
void TZirezIduzozGenerator::BandBackground(TTurboBand&) {}
void TZirezIduzozGenerator::NewPage() {}
void TZirezIduzozGenerator::StartBand(TTurboBand&) {}
void TZirezIduzozGenerator::EndBand(TTurboBand&) {}

void TZirezIduzozGenerator::BeginReport() {
    GenerateBands(rbPageHeader);
}

void TZirezIduzozGenerator::EndReport() {
    GenerateBands(rbPageFooter);
}

void TZirezIduzozGenerator::GenerateSysData(TTurboBand& band, TTurboSysData& field) {
    TTurboSysData copy(field);
    const QDateTime now = kv::clock::now();
    switch (field.SysData) {
    case sdDate:
        copy.Caption += kv::shortDate(now.date());
        break;
    case sdDateTime:
        copy.Caption += kv::shortDate(now.date()) + QStringLiteral(" , ") + kv::longTime(now.time());
        break;
    case sdTime:
        copy.Caption += kv::longTime(now.time());
        break;
    case sdCurrentPage:
        // The page number itself is known only to paged output, which appends it.
        if (field.ReportViewer)
            copy.Caption += QStringLiteral("#AS#");
        break;
    }
    GenerateLabel(band, copy);
}

void TZirezIduzozGenerator::printCell(TTurboGridBand& band, const QString& text, int left, int width,
                                      TAlignment alignment, int height) {
    TLabel label;
    label.AutoSize = false;
    label.Alignment = alignment;
    label.Font = band.Grid() ? band.Grid()->Font : label.Font;
    label.SetBounds(left + 3, 1, width - 1, height - 2);
    label.Caption = text;
    band.SetHeight(height);
    TShape frame;
    frame.SetBounds(left, 0, width + 3, height);
    frame.Pen.setWidth(1);
    GenerateShape(band, frame);
    GenerateLabel(band, label);
}

void TZirezIduzozGenerator::GenerateGrid(TTurboGridBand& band) {
    TReportGrid* grid = band.Grid();
    if (auto* strings = qobject_cast<TReportStringGrid*>(grid)) {
        for (int r = 0; r < strings->RowCount(); ++r) {
            StartBand(band);
            int x = 1;
            for (int c = 0; c < strings->ColCount(); ++c) {
                printCell(band, strings->Cell(c, r), x, strings->ColWidth(c), taLeftJustify,
                          strings->RowHeight(r) + 3);
                x += strings->ColWidth(c) + 2;
            }
            EndBand(band);
            AdvanceBand(band);
        }
        return;
    }
    auto* data = qobject_cast<TReportDataGrid*>(grid);
    if (!data)
        return;
    kv::store::Table* table = openDataSet(data->DataSource());
    if (!table)
        return;
    const int h = measurer().textHeight(data->Font);
    // A column without a field of the data set has nothing to print and is left out.
    QList<TReportGridColumn> columns;
    QList<int> fieldIndexes;
    for (const TReportGridColumn& column : data->Columns()) {
        if (kv::store::Field* f = table->findField(column.FieldName)) {
            columns.append(column);
            fieldIndexes.append(f->index());
        }
    }
    StartBand(band);
    int x = 1;
    for (int i = 0; i < columns.size(); ++i) {
        const TReportGridColumn& column = columns[i];
        const QString title =
            column.Title.isEmpty() ? table->field(fieldIndexes[i]).displayLabel() : column.Title;
        printCell(band, title, x, column.Width, taCenter, h + 2);
        x += column.Width + 2;
    }
    EndBand(band);
    AdvanceBand(band);
    for (table->first(); !table->eof(); table->next()) {
        StartBand(band);
        x = 1;
        for (int i = 0; i < columns.size(); ++i) {
            printCell(band, table->field(fieldIndexes[i]).asString(), x, columns[i].Width,
                      columns[i].Alignment, h + 2);
            x += columns[i].Width + 2;
        }
        EndBand(band);
        AdvanceBand(band);
    }
}

void TZirezIduzozGenerator::GenerateControls(TTurboBand& band) {
    const auto& controls = band.Controls();
    const std::size_t count = controls.size();
    for (int windowedPass = 0; windowedPass < 2; ++windowedPass) {
        for (std::size_t i = 0; i < count; ++i) {
            TReportControl* control = controls[i].get();
            if (control->Windowed() != bool(windowedPass))
                continue;
            Q_EMIT band.OnGenerate(&band, control, false);
            if (auto* label = dynamic_cast<TLabel*>(control))
                GenerateLabel(band, *label);
            else if (auto* text = dynamic_cast<TDBText*>(control))
                GenerateLabel(band, *text);
            else if (auto* dbMemo = dynamic_cast<TDBMemo*>(control))
                GenerateMemo(band, *dbMemo);
            else if (auto* shape = dynamic_cast<TShape*>(control))
                GenerateShape(band, *shape);
            else if (auto* image = dynamic_cast<TImage*>(control))
                GenerateImage(band, *image);
            else if (auto* memo = dynamic_cast<TMemo*>(control))
                GenerateMemo(band, *memo);
            else if (auto* dbImage = dynamic_cast<TDBImage*>(control))
                GenerateDBImage(band, *dbImage);
            else if (auto* sys = dynamic_cast<TTurboSysData*>(control))
                GenerateSysData(band, *sys);
        }
    }
}

void TZirezIduzozGenerator::GenerateBand(TTurboBand& band) {
    if (TTurboBand* header = band.HeaderBand())
        GenerateBand(*header);
    StartBand(band);
    Q_EMIT band.BeforeGenerate(&band, false);
    if (band.Height() == 0)
        return;
    CheckBand(band);
    auto* gridBand = band.IsGridBand() ? static_cast<TTurboGridBand*>(&band) : nullptr;
    if (gridBand || !band.DataSource()) {
        BandBackground(band);
        if (gridBand)
            GenerateGrid(*gridBand);
        else
            GenerateControls(band);
        AdvanceBand(band);
    } else if (band.BandType() == rbSubDetail || band.BandType() == rbSummary) {
        if (kv::store::Table* table = openDataSet(band.DataSource())) {
            for (table->first(); !table->eof(); table->next()) {
                StartBand(band);
                BandBackground(band);
                GenerateControls(band);
                AdvanceBand(band);
                EndBand(band);
            }
        }
    }
    if (TTurboBand* footer = band.FooterBand())
        GenerateBand(*footer);
    Q_EMIT band.AfterGenerate(&band, false);
    EndBand(band);
}

void TZirezIduzozGenerator::GenerateBands(TTurboBandType type) {
    // A copy: handlers may add or remove bands while the walk runs.
    const std::vector<TTurboBand*> bands = report_->Bands();
    for (TTurboBand* band : bands) {
        if (band->BandType() == type)
            GenerateBand(*band);
    }
}

void TZirezIduzozGenerator::bandPass() {
    const std::vector<TTurboBand*> bands = report_->Bands();
    for (TTurboBand* band : bands) {
        if (band->BandType() == rbDetail || band->BandType() == rbSubDetail)
            GenerateBand(*band);
    }
}

void TZirezIduzozGenerator::Execute(TZirezIduzoz& report) {
    report_ = &report;
    measurer_ = &report.Metrics().measurer();
    BeginReport();
    NewPage();
    if (report.DataSource()) {
        // A data source without a data set has no records: the band pass never runs.
        if (kv::store::Table* table = openDataSet(report.DataSource())) {
            for (table->first(); !table->eof(); table->next())
                bandPass();
            table->first();
        }
    } else {
        bandPass();
    }
    GenerateBands(rbSummary);
    EndReport();
}

} // namespace kv::report
