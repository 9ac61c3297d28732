// kalmorvaty-render: fills a throwaway database with sample data and writes every page of one
// report layout as a PNG file, through the same recorded pages the preview and the printer use.
//
//   kalmorvaty-render Objednavka|SeznamObjednavek|SeznamDodavatelu [--orders N] [--suppliers N]
//                     [--no-logo] [--text] [--export NAME [--per-page]] --out DIR
//
// Pages are drawn at 96 dots per inch, one report pixel to one image pixel. --text also writes
// each page's drawing operations as page_00001.txt beside the picture. --export also writes the
// report through the preview's exports, the kind chosen by the extension of NAME and the file placed
// in DIR: pictures (.png, .jpg, .bmp) as one picture or --per-page, a PDF (.pdf), the text output
// (.txt), the HTML output (.html) or the workbook (.xlsx).
#include "sampledata.h"
#include "sampledatabase.h"

#include "print/reportlayouts.h"
#include "print/sestavy.h"
#include "report/outputs/htmloutput.h"
#include "report/outputs/imageexport.h"
#include "report/outputs/pdfexport.h"
#include "report/outputs/reportoutput.h"
#include "report/outputs/textoutput.h"
#include "report/outputs/workbookwriter.h"
#include "report/pages/pagepainter.h"
#include "report/pages/pagetext.h"
#include "report/model/reporterror.h"
#include "report/pages/reportmetrics.h"
#include "report/layout/pagerecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

struct Options {
    QString layout;
    int orders = 25;
    int suppliers = 24;
    bool logo = true;
    bool text = false;
    QString exportName;
    bool perPage = false;
    QString out;
};

int usage(const QString& error) {
    std::fprintf(stderr,
                 "%s\nusage: kalmorvaty-render Objednavka|SeznamObjednavek|SeznamDodavatelu "
                 "[--orders N] [--suppliers N] [--no-logo] [--text] [--export NAME [--per-page]] --out DIR\n",
                 qPrintable(error));
    return 2;
}

bool parse(const QStringList& args, Options& o, QString& error) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](int& into) {
            bool ok = false;
            into = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
            if (!ok || into < 0)
                error = a + QStringLiteral(" needs a number of 0 or more");
            return ok;
        };
        if (a == QLatin1String("--orders")) {
            if (!value(o.orders))
                return false;
        } else if (a == QLatin1String("--suppliers")) {
            if (!value(o.suppliers))
                return false;
        } else if (a == QLatin1String("--no-logo")) {
            o.logo = false;
        } else if (a == QLatin1String("--text")) {
            o.text = true;
        } else if (a == QLatin1String("--export") && i + 1 < args.size()) {
            o.exportName = args[++i];
        } else if (a == QLatin1String("--per-page")) {
            o.perPage = true;
        } else if (a == QLatin1String("--out") && i + 1 < args.size()) {
            o.out = args[++i];
        } else if (!a.startsWith(QLatin1String("--")) && o.layout.isEmpty()) {
            o.layout = a;
        } else {
            error = QStringLiteral("unknown argument ") + a;
            return false;
        }
    }
    if (!kv::print::layoutNames().contains(o.layout))
        error = QStringLiteral("name one of the layouts");
    else if (o.out.isEmpty())
        error = QStringLiteral("--out DIR is missing");
    return error.isEmpty();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options o;
    QString error;
    if (!parse(app.arguments(), o, error))
        return usage(error);
    if (!QDir().mkpath(o.out))
        return usage(QStringLiteral("cannot make ") + o.out);

    try {
        kv::tools::SampleDatabase db;
        kv::data::TDM& dm = db.dm();
        kv::tools::fillFirm(dm, o.logo);
        kv::tools::fillUsers(dm);
        kv::tools::fillSuppliers(dm, o.suppliers);
        kv::tools::fillOrders(dm, o.orders);
        // The order form shows the order the cursor stands on: the newest one.
        dm.tabKalmorvaty.last();
        dm.tabObory.first();

        kv::print::TSestavy sestavy(dm, kv::report::ReportMetrics(96));
        kv::report::Report* report = o.layout == QLatin1String("Objednavka") ? sestavy.Objednavka
                                           : o.layout == QLatin1String("SeznamObjednavek")
                                               ? sestavy.SeznamObjednavek
                                               : sestavy.SeznamDodavatelu;
        kv::report::PageRecorder generator;
        generator.execute(*report);
        for (int n = 1; n <= generator.pageCount(); ++n) {
            const kv::report::ReportPage& page = generator.page(n);
            QImage image(page.size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                kv::report::paintPage(page, painter, QRectF(QPointF(0, 0), page.size()));
            }
            const QString base =
                QDir(o.out).filePath(QStringLiteral("page_%1").arg(n, 5, 10, QLatin1Char('0')));
            if (!image.save(base + QStringLiteral(".png"), "PNG"))
                throw kv::report::ReportError(QStringLiteral("cannot write ") + base +
                                              QStringLiteral(".png"));
            if (o.text) {
                QFile f(base + QStringLiteral(".txt"));
                if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
                    throw kv::report::ReportError(QStringLiteral("cannot write ") + f.fileName());
                f.write(kv::report::pageText(page).toUtf8());
            }
            std::printf("%s.png\n", qPrintable(base));
        }
        const QString target = QDir(o.out).filePath(o.exportName);
        const QString kind = QFileInfo(o.exportName).suffix().toLower();
        if (kind == QLatin1String("pdf")) {
            kv::report::exportPdf(generator.pages(), target,
                                  QSizeF(report->printer().width(), report->printer().height()),
                                  {o.layout, QStringLiteral("STROJÍRNY HORÁK s.r.o."), QStringLiteral("Kalmorvaty"),
                                   QDateTime::currentDateTime()});
        } else if (kind == QLatin1String("txt")) {
            kv::report::TextOutput text;
            text.setCellSize(kv::report::TextOutput::cellSizeOf(*report));
            kv::report::exportStreamed(text, *report, target);
        } else if (kind == QLatin1String("xlsx")) {
            kv::report::exportWorkbook(*report, target);
        } else if (kind == QLatin1String("html")) {
            kv::report::HtmlOutput html(kv::report::withExtension(target, QString()), o.layout);
            kv::report::exportStreamed(html, *report, target);
        } else if (!o.exportName.isEmpty()) {
            kv::report::ImageExportSteps steps;
            steps.onJpegFallback = [](const QString& reason) {
                std::printf("JPEG failed (%s): written as PNG\n", qPrintable(reason));
            };
            kv::report::exportImages(generator.pages(), QDir(o.out).filePath(o.exportName), !o.perPage,
                                     steps);
        }
        std::printf("%s: %d page(s)\n", qPrintable(o.layout), generator.pageCount());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kalmorvaty-render: %s\n", e.what());
        return 1;
    }
    return 0;
}
