// The printer settings of a report: paper size and orientation (which give the paper's width and
// height in millimetres), print mode, the text grid of the text output, port and job title.
#pragma once

#include "reporttypes.h"

#include <QObject>
#include <QString>

namespace kv::report {

class PrinterSettings : public QObject {
    Q_OBJECT
public:
    explicit PrinterSettings(QObject* parent = nullptr);

    // Characters per line of the text output (at most 512) and lines per page (a page has ColHeight + 1).
    int colWidth() const { return colWidth_; }
    void setColWidth(int v);
    int colHeight() const { return colHeight_; }
    void setColHeight(int v) { colHeight_ = v; }
    // Paper width and height in millimetres as oriented; they follow PaperSize and Orientation.
    int width() const { return width_; }
    int height() const { return height_; }
    // File or device the fast print mode writes to.
    const QString& port() const { return port_; }
    void setPort(const QString& v) { port_ = v; }
    // Print job title (also the title of the HTML output).
    const QString& title() const { return title_; }
    void setTitle(const QString& v) { title_ = v; }
    PaperOrientation orientation() const { return orientation_; }
    void setOrientation(PaperOrientation v);
    PaperFormat paperSize() const { return paperSize_; }
    void setPaperSize(PaperFormat v);
    PrintMode mode() const { return mode_; }
    void setMode(PrintMode v) { mode_ = v; }

Q_SIGNALS:
    // After any change of paper size or orientation.
    void onSizeChange();

private:
    int colWidth_ = 80;
    int colHeight_ = 55;
    int width_ = 210;
    int height_ = 297;
    QString port_ = QStringLiteral("LPT1");
    QString title_;
    PaperOrientation orientation_ = poPortrait;
    PaperFormat paperSize_ = A4;
    PrintMode mode_ = prNormal;
};

} // namespace kv::report
