// kv_layercheck SOURCE-ROOT LAYERS-FILE [WIDGET-HEADER-DIR ...]: the include check of the test
// command. Prints every fault and exits 1 when there is one.
#include "layercheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: kv_layercheck SOURCE-ROOT LAYERS-FILE [WIDGET-HEADER-DIR ...]\n");
        return 2;
    }
    kv::tools::LayerCheckInput input;
    input.sourceRoot = args[1];
    QFile layers(args[2]);
    if (!layers.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot be read\n", qPrintable(args[2]));
        return 2;
    }
    input.layersText = QString::fromUtf8(layers.readAll());
    for (int i = 3; i < args.size(); ++i)
        for (const QString& name : QDir(args[i]).entryList(QDir::Files))
            input.widgetHeaders.insert(name);
    const QStringList faults = kv::tools::checkLayers(input);
    for (const QString& fault : faults)
        std::fprintf(stderr, "%s\n", qPrintable(fault));
    return faults.isEmpty() ? 0 : 1;
}
