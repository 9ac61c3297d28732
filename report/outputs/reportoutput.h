// Where the text and HTML outputs are written and how: the path made of the report directory and
// the report name, and lines saved in Windows-1250 with CR LF line ends.
#pragma once

#include <QStringList>

#include <functional>

class QIODevice;

namespace kv::report {

// `directory` (the user's home folder when empty) without one final separator, "/", and `name`
// ("Turbo Report" when empty). No extension is added.
QString outputBasePath(const QString& directory, const QString& name);

// Writes `lines` to `path` in Windows-1250, each ended by CR LF, whole, or leaves an earlier file of
// that name as it was. Throws ReportError naming the file when it cannot be written.
void saveLines(const QStringList& lines, const QString& path);
// The same for a file `write` fills, returning false when a write fell short.
void saveStreamed(const QString& path, const std::function<bool(QIODevice&)>& write);
// Runs the text or HTML `generator` over `report`, its document going into `path` as it is made:
// a report of any length takes the memory of a few pages.
template <class Generator, class Report>
void exportStreamed(Generator& generator, Report& report, const QString& path) {
    saveStreamed(path, [&](QIODevice& file) {
        generator.streamTo(&file);
        generator.execute(report);
        return generator.flush();
    });
}

} // namespace kv::report
