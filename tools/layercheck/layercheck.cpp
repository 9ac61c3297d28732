// The include check over a source tree: parses the layer list, closes it transitively and reads the
// #include lines of every source file of the listed folders.
#include "layercheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace kv::tools {

namespace {

struct Layers {
    QHash<QString, QSet<QString>> direct;
    QSet<QString> noWidgets;
    QStringList errors;
};

Layers parseLayers(const QString& text) {
    Layers layers;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0) {
            layers.errors
                << QStringLiteral("layers:%1: expected \"folder: folders it may include from\"").arg(i + 1);
            continue;
        }
        const QString folder = line.left(colon).trimmed();
        QSet<QString>& deps = layers.direct[folder];
        for (const QString& word : line.mid(colon + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (word == QLatin1String("no-widgets"))
                layers.noWidgets.insert(folder);
            else if (word != QLatin1String("-"))
                deps.insert(word);
        }
    }
    for (auto it = layers.direct.cbegin(); it != layers.direct.cend(); ++it)
        for (const QString& dep : it.value())
            if (!layers.direct.contains(dep))
                layers.errors
                    << QStringLiteral("layers: %1 names %2, which is not a listed folder").arg(it.key(), dep);
    return layers;
}

QSet<QString> reachable(const Layers& layers, const QString& folder) {
    QSet<QString> seen{folder};
    QStringList todo{folder};
    while (!todo.isEmpty()) {
        const QString f = todo.takeLast();
        for (const QString& dep : layers.direct.value(f))
            if (!seen.contains(dep)) {
                seen.insert(dep);
                todo << dep;
            }
    }
    return seen;
}

// The listed folder a root-relative path belongs to: its nearest listed ancestor, or empty.
QString owningFolder(const Layers& layers, QString path) {
    while (true) {
        const int slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            return {};
        path.truncate(slash);
        if (layers.direct.contains(path))
            return path;
    }
}

} // namespace

QStringList checkLayers(const LayerCheckInput& input) {
    const Layers layers = parseLayers(input.layersText);
    QStringList faults = layers.errors;
    if (!faults.isEmpty())
        return faults;

    const QDir root(input.sourceRoot);
    static const QRegularExpression includeLine(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    QStringList files;
    for (auto it = layers.direct.cbegin(); it != layers.direct.cend(); ++it) {
        QDirIterator dir(root.filePath(it.key()), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                         QDir::Files, QDirIterator::Subdirectories);
        while (dir.hasNext())
            files << root.relativeFilePath(dir.next());
    }
    files.removeDuplicates();
    files.sort();

    for (const QString& file : files) {
        const QString folder = owningFolder(layers, file);
        const QSet<QString> allowed = reachable(layers, folder);
        QFile f(root.filePath(file));
        if (!f.open(QIODevice::ReadOnly)) {
            faults << QStringLiteral("%1: cannot be read").arg(file);
            continue;
        }
        int lineNo = 0;
        while (!f.atEnd()) {
            const QString line = QString::fromUtf8(f.readLine());
            ++lineNo;
            const auto m = includeLine.match(line);
            if (!m.hasMatch())
                continue;
            const QString target = m.captured(2);
            const QString where = QStringLiteral("%1:%2: ").arg(file).arg(lineNo);
            if (m.captured(1) == QLatin1String("<")) {
                const QString name = target.section(QLatin1Char('/'), -1);
                const bool widget =
                    target.startsWith(QLatin1String("QtWidgets/")) ||
                    target.startsWith(QLatin1String("QtPrintSupport/")) ||
                    (!target.contains(QLatin1Char('/')) && input.widgetHeaders.contains(name));
                if (widget && layers.noWidgets.contains(folder))
                    faults << where +
                                  QStringLiteral("includes <%1> (%2 is free of widgets)").arg(target, folder);
                continue;
            }
            // As the compiler looks: beside the including file first, then from the source root.
            const QString beside = QFileInfo(file).path() + QLatin1Char('/') + target;
            const QString resolved =
                QFileInfo::exists(root.filePath(beside)) ? QDir::cleanPath(beside) : target;
            const QString targetFolder = owningFolder(layers, resolved);
            if (targetFolder.isEmpty() || allowed.contains(targetFolder))
                continue;
            faults << where + QStringLiteral("includes %1 (%2 is not below %3)")
                                  .arg(target, targetFolder, folder);
        }
    }
    return faults;
}

} // namespace kv::tools
