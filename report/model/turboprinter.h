// The printer settings of a report: paper size and orientation (which give the paper's width and
// height in millimetres), print mode, the text grid of the text output, port and job title.
#pragma once

#include "reporttypes.h"

#include <QObject>
#include <QString>

namespace kv::report {

class TTurboPrinter : public QObject {
    Q_OBJECT
public:
    explicit TTurboPrinter(QObject* parent = nullptr);

    // Characters per line of the text output (at most 512) and lines per page (a page has ColHeight + 1).
    int ColWidth() const { return colWidth_; }
    void SetColWidth(int v);
    int ColHeight() const { return colHeight_; }
    void SetColHeight(int v) { colHeight_ = v; }
    // Paper width and height in millimetres as oriented; they follow PaperSize and Orientation.
    int Width() const { return width_; }
    int Height() const { return height_; }
    // File or device the fast print mode writes to.
    const QString& Port() const { return port_; }
    void SetPort(const QString& v) { port_ = v; }
    // Print job title (also the title of the HTML output).
    const QString& Title() const { return title_; }
    void SetTitle(const QString& v) { title_ = v; }
    TPrinterOrientation Orientation() const { return orientation_; }
    void SetOrientation(TPrinterOrientation v);
    TTurboPageSize PaperSize() const { return paperSize_; }
    void SetPaperSize(TTurboPageSize v);
    TTurboPrintMode Mode() const { return mode_; }
    void SetMode(TTurboPrintMode v) { mode_ = v; }

Q_SIGNALS:
    // After any change of paper size or orientation.
    void OnSizeChange();

private:
    int colWidth_ = 80;
    int colHeight_ = 55;
    int width_ = 210;
    int height_ = 297;
    QString port_ = QStringLiteral("LPT1");
    QString title_;
    TPrinterOrientation orientation_ = poPortrait;
    TTurboPageSize paperSize_ = A4;
    TTurboPrintMode mode_ = prNormal;
};

} // namespace kv::report
