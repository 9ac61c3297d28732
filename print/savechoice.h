// What a save dialog of the preview's exports gives back, as plain values: the file name with the
// extension of the filter the user chose, and the folder and name an export is written under.
#pragma once

#include <QString>

namespace kv::print {

// `fileName` with its extension replaced by the one of the chosen filter ("... (*.jpg)" gives
// ".jpg"); unchanged when the filter names no single extension.
QString withFilterExtension(const QString& fileName, const QString& nameFilter);

// The folder (no final separator) and the name with its extension of `fileName`.
struct ExportTarget {
    QString directory;
    QString name;
};
ExportTarget exportTarget(const QString& fileName);

} // namespace kv::print
