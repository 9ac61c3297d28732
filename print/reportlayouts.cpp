// Loading the compiled-in report layouts.
#include "reportlayouts.h"

#include "data/datmod.h"
#include "report/model/reporterror.h"
#include "report/model/labelcontrol.h"
#include "report/model/band.h"

#include <QFile>

namespace kv::print {

const QStringList& layoutNames() {
    static const QStringList names = {QStringLiteral("Objednavka"), QStringLiteral("SeznamObjednavek"),
                                      QStringLiteral("SeznamDodavatelu")};
    return names;
}

kv::report::DataSources dataSources(kv::data::TDM& dm) {
    kv::report::DataSources s;
    for (kv::store::DataSource* ds : {&dm.DSKalmorvaty, &dm.DSSystem, &dm.DSDodavatele, &dm.DSObory,
                                      &dm.DSPlatba, &dm.DSDoprava, &dm.dsUzivatele})
        s.insert(ds->objectName(), ds);
    return s;
}

std::unique_ptr<kv::report::Report> loadLayout(const QString& name,
                                                     const kv::report::DataSources& sources,
                                                     const kv::report::ReportMetrics& metrics,
                                                     QObject* parent) {
    if (!layoutNames().contains(name))
        throw kv::report::ReportError(QStringLiteral("Neznámá sestava \"%1\"").arg(name));
    const QString path = QStringLiteral(":/print/layouts/%1.rep").arg(name.toLower());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw kv::report::ReportError(QStringLiteral("Definici sestavy \"%1\" nelze otevřít").arg(path));
    auto report = kv::report::parseReportDefinition(QString::fromUtf8(file.readAll()), sources,
                                                    name.toLower() + QStringLiteral(".rep"), {}, parent);
    report->setMetrics(metrics);
    fitLabelsToCaptions(*report);
    return report;
}

void fitLabelsToCaptions(kv::report::Report& report) {
    kv::report::TextMeasurer& measure = report.metrics().measurer();
    for (kv::report::Band* band : report.bands()) {
        for (const auto& control : band->controls()) {
            // Only plain labels size themselves; data texts and system data keep their boxes.
            auto* label = dynamic_cast<kv::report::LabelControl*>(control.get());
            if (!label || !label->autoSize)
                continue;
            const QStringList lines = label->caption.split(QLatin1Char('\n'));
            int width = 0;
            for (const QString& line : lines)
                width = std::max(width, measure.textWidth(line, label->font));
            const int height = int(lines.size()) * measure.textHeight(label->font);
            const int left = label->alignment == kv::report::taRightJustify
                                 ? label->left + label->width - width
                                 : label->left;
            label->setBounds(left, label->top, width, height);
        }
    }
}

} // namespace kv::print
