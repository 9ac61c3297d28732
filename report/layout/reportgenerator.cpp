// The generation walk over bands, records and controls.
#include "reportgenerator.h"

#include "report/model/dataimagecontrol.h"
#include "report/model/datamemocontrol.h"
#include "report/model/datatextcontrol.h"
#include "report/model/imagecontrol.h"
#include "report/model/labelcontrol.h"
#include "report/model/memocontrol.h"
#include "report/model/shapecontrol.h"
#include "report/model/gridband.h"
#include "report/model/systemdatacontrol.h"
#include "report/model/report.h"

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

ReportGenerator::ReportGenerator() = default;

ReportGenerator::~ReportGenerator() = default;

void ReportGenerator::generateLabel(Band&, LabelBase&) {}
void ReportGenerator::generateImage(Band&, ImageControl&) {}
void ReportGenerator::generateDataImage(Band&, DataImageControl&) {}
void ReportGenerator::generateShape(Band&, ShapeControl&) {}
void ReportGenerator::generateMemo(Band&, MemoBase&) {}
void ReportGenerator::checkBand(Band&) {}
void ReportGenerator::advanceBand(Band&) {}
void ReportGenerator::bandBackground(Band&) {}
void ReportGenerator::newPage() {}
void ReportGenerator::startBand(Band&) {}
void ReportGenerator::endBand(Band&) {}

void ReportGenerator::beginReport() {
    generateBands(rbPageHeader);
}

void ReportGenerator::endReport() {
    generateBands(rbPageFooter);
}

void ReportGenerator::generateSystemData(Band& band, SystemDataControl& field) {
    SystemDataControl copy(field);
    const QDateTime now = kv::clock::now();
    switch (field.systemData) {
    case sdDate:
        copy.caption += kv::shortDate(now.date());
        break;
    case sdDateTime:
        copy.caption += kv::shortDate(now.date()) + QStringLiteral(" , ") + kv::longTime(now.time());
        break;
    case sdTime:
        copy.caption += kv::longTime(now.time());
        break;
    case sdCurrentPage:
        // The page number itself is known only to paged output, which appends it.
        if (field.reportViewer)
            copy.caption += QStringLiteral("#AS#");
        break;
    }
    generateLabel(band, copy);
}

void ReportGenerator::printCell(GridBand& band, const QString& text, int left, int width,
                                      TextAlignment alignment, int height) {
    LabelControl label;
    label.autoSize = false;
    label.alignment = alignment;
    label.font = band.grid() ? band.grid()->font : label.font;
    label.setBounds(left + 3, 1, width - 1, height - 2);
    label.caption = text;
    band.setHeight(height);
    ShapeControl frame;
    frame.setBounds(left, 0, width + 3, height);
    frame.pen.setWidth(1);
    generateShape(band, frame);
    generateLabel(band, label);
}

void ReportGenerator::generateGrid(GridBand& band) {
    ReportGrid* grid = band.grid();
    if (auto* strings = qobject_cast<StringGrid*>(grid)) {
        for (int r = 0; r < strings->rowCount(); ++r) {
            startBand(band);
            int x = 1;
            for (int c = 0; c < strings->colCount(); ++c) {
                printCell(band, strings->cell(c, r), x, strings->colWidth(c), taLeftJustify,
                          strings->rowHeight(r) + 3);
                x += strings->colWidth(c) + 2;
            }
            endBand(band);
            advanceBand(band);
        }
        return;
    }
    auto* data = qobject_cast<DataGrid*>(grid);
    if (!data)
        return;
    kv::store::Table* table = openDataSet(data->dataSource());
    if (!table)
        return;
    const int h = measurer().textHeight(data->font);
    // A column without a field of the data set has nothing to print and is left out.
    QList<GridColumn> columns;
    QList<int> fieldIndexes;
    for (const GridColumn& column : data->columns()) {
        if (kv::store::Field* f = table->findField(column.fieldName)) {
            columns.append(column);
            fieldIndexes.append(f->index());
        }
    }
    startBand(band);
    int x = 1;
    for (int i = 0; i < columns.size(); ++i) {
        const GridColumn& column = columns[i];
        const QString title =
            column.title.isEmpty() ? table->field(fieldIndexes[i]).displayLabel() : column.title;
        printCell(band, title, x, column.width, taCenter, h + 2);
        x += column.width + 2;
    }
    endBand(band);
    advanceBand(band);
    for (table->first(); !table->eof(); table->next()) {
        startBand(band);
        x = 1;
        for (int i = 0; i < columns.size(); ++i) {
            printCell(band, table->field(fieldIndexes[i]).asString(), x, columns[i].width,
                      columns[i].alignment, h + 2);
            x += columns[i].width + 2;
        }
        endBand(band);
        advanceBand(band);
    }
}

void ReportGenerator::generateControls(Band& band) {
    const auto& controls = band.controls();
    const std::size_t count = controls.size();
    for (int windowedPass = 0; windowedPass < 2; ++windowedPass) {
        for (std::size_t i = 0; i < count; ++i) {
            ReportControl* control = controls[i].get();
            if (control->windowed() != bool(windowedPass))
                continue;
            Q_EMIT band.onGenerate(&band, control, false);
            if (auto* label = dynamic_cast<LabelControl*>(control))
                generateLabel(band, *label);
            else if (auto* text = dynamic_cast<DataTextControl*>(control))
                generateLabel(band, *text);
            else if (auto* dbMemo = dynamic_cast<DataMemoControl*>(control))
                generateMemo(band, *dbMemo);
            else if (auto* shape = dynamic_cast<ShapeControl*>(control))
                generateShape(band, *shape);
            else if (auto* image = dynamic_cast<ImageControl*>(control))
                generateImage(band, *image);
            else if (auto* memo = dynamic_cast<MemoControl*>(control))
                generateMemo(band, *memo);
            else if (auto* dbImage = dynamic_cast<DataImageControl*>(control))
                generateDataImage(band, *dbImage);
            else if (auto* sys = dynamic_cast<SystemDataControl*>(control))
                generateSystemData(band, *sys);
        }
    }
}

void ReportGenerator::generateBand(Band& band) {
    if (Band* header = band.headerBand())
        generateBand(*header);
    startBand(band);
    Q_EMIT band.beforeGenerate(&band, false);
    if (band.height() == 0)
        return;
    checkBand(band);
    auto* gridBand = band.isGridBand() ? static_cast<GridBand*>(&band) : nullptr;
    if (gridBand || !band.dataSource()) {
        bandBackground(band);
        if (gridBand)
            generateGrid(*gridBand);
        else
            generateControls(band);
        advanceBand(band);
    } else if (band.bandType() == rbSubDetail || band.bandType() == rbSummary) {
        if (kv::store::Table* table = openDataSet(band.dataSource())) {
            for (table->first(); !table->eof(); table->next()) {
                startBand(band);
                bandBackground(band);
                generateControls(band);
                advanceBand(band);
                endBand(band);
            }
        }
    }
    if (Band* footer = band.footerBand())
        generateBand(*footer);
    Q_EMIT band.afterGenerate(&band, false);
    endBand(band);
}

void ReportGenerator::generateBands(BandType type) {
    // A copy: handlers may add or remove bands while the walk runs.
    const std::vector<Band*> bands = report_->bands();
    for (Band* band : bands) {
        if (band->bandType() == type)
            generateBand(*band);
    }
}

void ReportGenerator::bandPass() {
    const std::vector<Band*> bands = report_->bands();
    for (Band* band : bands) {
        if (band->bandType() == rbDetail || band->bandType() == rbSubDetail)
            generateBand(*band);
    }
}

void ReportGenerator::execute(Report& report) {
    report_ = &report;
    measurer_ = &report.metrics().measurer();
    beginReport();
    newPage();
    if (report.dataSource()) {
        // A data source without a data set has no records: the band pass never runs.
        if (kv::store::Table* table = openDataSet(report.dataSource())) {
            for (table->first(); !table->eof(); table->next()) {
                if (onRecord)
                    onRecord();
                bandPass();
            }
            table->first();
        }
    } else {
        bandPass();
    }
    generateBands(rbSummary);
    endReport();
}

} // namespace kv::report
