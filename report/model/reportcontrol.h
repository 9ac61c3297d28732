// The base of every control a band holds: its name and its rectangle in pixels relative to the
// band. Controls are plain property records; the generator reads them and outputs draw them.
#pragma once

#include <QRect>
#include <QString>

namespace kv::report {

class TReportControl {
public:
    virtual ~TReportControl() = default;

    // Controls with a window of their own (memos, data memos, data images) are output after the
    // others on their band.
    virtual bool Windowed() const { return false; }

    QRect BoundsRect() const { return {Left, Top, Width, Height}; }
    void SetBounds(int left, int top, int width, int height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }

    QString Name;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

protected:
    TReportControl() = default;
    TReportControl(const TReportControl&) = default;
    TReportControl& operator=(const TReportControl&) = default;
};

} // namespace kv::report
