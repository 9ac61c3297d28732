// The base of every control a band holds: its name and its rectangle in pixels relative to the
// band. Controls are plain property records; the generator reads them and outputs draw them.
#pragma once

#include <QRect>
#include <QString>

namespace kv::report {

class ReportControl {
public:
    virtual ~ReportControl() = default;

    // Controls with a window of their own (memos, data memos, data images) are output after the
    // others on their band.
    virtual bool windowed() const { return false; }

    QRect boundsRect() const { return {left, top, width, height}; }
    void setBounds(int left, int top, int width, int height) {
        this->left = left;
        this->top = top;
        this->width = width;
        this->height = height;
    }

    QString name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

protected:
    ReportControl() = default;
    ReportControl(const ReportControl&) = default;
    ReportControl& operator=(const ReportControl&) = default;
};

} // namespace kv::report
