// Fuzz target: report definition files. A text that loads is also generated into pages over a
// small table of three items, which every data source name the program's layouts use stands for;
// image files are looked for beside a small picture "obrazek.png". Loading and generating either
// succeed or throw the engine's or the store's error.
#include "fuzzsupport.h"

#include "tests/reportsupport/itemtable.h"

#include "data/store/storeerror.h"
#include "report/model/reportdefinition.h"
#include "report/model/reporterror.h"
#include "report/layout/pagerecorder.h"
#include "report/model/report.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdint>

using namespace kv::report;

namespace {

const DataSources& sources() {
    static test::ItemTable items(3);
    static const DataSources byName = [] {
        DataSources s;
        for (const char* name : {"DSPolozky", "DSKalmorvaty", "DSDodavatele", "DSObory", "DSSystem"})
            s.insert(QString::fromLatin1(name), &items.source());
        return s;
    }();
    return byName;
}

const QString& imageFolder() {
    static QTemporaryDir dir;
    static const QString path = [] {
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.save(dir.filePath(QStringLiteral("obrazek.png")));
        return dir.path();
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kv::fuzz::silenceQt();
    kv::fuzz::startApplication<QGuiApplication>();
    sources();
    imageFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const auto report = parseReportDefinition(text, sources(), QStringLiteral("fuzz"), imageFolder());
        PageRecorder generator;
        generator.execute(*report);
    } catch (const ReportError&) {
    } catch (const kv::store::StoreError&) {
    }
    // Qt drops unused fonts from its caches on a timer, as it does in the running program; without
    // it every new face and size the fuzzer tries would stay.
    QCoreApplication::processEvents();
    return 0;
}
