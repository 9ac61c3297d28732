// The include check: every file of a folder may include only from the folders the layer list lets it
// reach, and the folders marked "no-widgets" never include a widget or printing header. The layer
// list's format is described at the top of tools/layers.txt.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

namespace kv::tools {

struct LayerCheckInput {
    QString sourceRoot;          // the folder the root-relative includes ("data/store/table.h") start from
    QString layersText;          // the layer list
    QSet<QString> widgetHeaders; // header names such as "QWidget" that belong to the widget libraries
};

// Checks every .h and .cpp file under the listed folders; returns one line per fault
// ("controls/x.cpp:12: includes app/y.h (app is not below controls)"), empty when the tree keeps the
// layers. A malformed layer list is reported as a fault of its own.
QStringList checkLayers(const LayerCheckInput& input);

} // namespace kv::tools
