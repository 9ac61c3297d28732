// TProCustomLabel: a text label that can paint raised, recessed and shadowed text, rotate it, move it
// by an offset and align it vertically. TProLabel (prolabel.h) is the one the program places.
#pragma once

#include "labelstyle.h"

#include <QColor>
#include <QLabel>

namespace kv::controls {

class TProCustomLabel : public QLabel {
    Q_OBJECT
public:
    explicit TProCustomLabel(QWidget* parent = nullptr);

    // The system colours the label's defaults and presets use.
    static QColor buttonFace();
    static QColor buttonHighlight();
    static QColor buttonShadow();

    QString caption() const { return text(); }
    void setCaption(const QString& text);

    // Degrees, reduced into 0..359; a non-zero angle switches AutoSize off.
    int angle() const { return angle_; }
    void setAngle(int degrees);

    TDirection highlightDirection() const { return highlightDirection_; }
    void setHighlightDirection(TDirection d);
    int highlightDepth() const { return highlightDepth_; }
    void setHighlightDepth(int px);
    QColor highlightColor() const { return highlightColor_; }
    void setHighlightColor(const QColor& c);

    // Assigning a style other than ssCustom sets the highlight and shadow settings in one go;
    // changing any one of them afterwards makes the style ssCustom.
    TShadowStyle shadowStyle() const { return shadowStyle_; }
    void setShadowStyle(TShadowStyle s);
    TDirection shadowDirection() const { return shadowDirection_; }
    void setShadowDirection(TDirection d);
    int shadowDepth() const { return shadowDepth_; }
    void setShadowDepth(int px); // clamped to 0..1280
    int shadowSize() const { return shadowSize_; }
    void setShadowSize(int copies); // clamped to 0..1280
    QColor shadowColor() const { return shadowColor_; }
    void setShadowColor(const QColor& c);

    // Pixels the text moves right and down; a positive offset switches AutoSize off.
    int offsetX() const { return offsetX_; }
    void setOffsetX(int px);
    int offsetY() const { return offsetY_; }
    void setOffsetY(int px);

    TVerticalAlignment verticalAlignment() const { return vAlign_; }
    void setVerticalAlignment(TVerticalAlignment v);
    TVerticalAlignment layout() const { return vAlign_; }
    void setLayout(TVerticalAlignment v) { setVerticalAlignment(v); }

    // The plain label's properties the painting reads.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);
    QColor color() const { return color_; } // background
    void setColor(const QColor& c);
    QColor fontColor() const { return fontColor_; }
    void setFontColor(const QColor& c);
    bool showAccelChar() const { return showAccelChar_; }
    void setShowAccelChar(bool on);
    bool labelWordWrap() const { return wordWrap(); }
    void setLabelWordWrap(bool on);

Q_SIGNALS:
    void mouseEntered(); // OnMouseEnter
    void mouseLeft();    // OnMouseLeave

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void custom();
    void fit();
    void drawText(QPainter& p, const QRect& r, const QPoint& origin, const QColor& colour) const;

    int angle_ = 0;
    TDirection highlightDirection_ = TDirection::drNone;
    int highlightDepth_ = 0;
    QColor highlightColor_;
    TShadowStyle shadowStyle_ = TShadowStyle::ssNone;
    TDirection shadowDirection_ = TDirection::drNone;
    int shadowDepth_ = 0;
    int shadowSize_ = 0;
    QColor shadowColor_;
    int offsetX_ = 0;
    int offsetY_ = 0;
    TVerticalAlignment vAlign_ = TVerticalAlignment::vaTop;
    bool autoSize_ = true;
    bool transparent_ = false;
    QColor color_;
    QColor fontColor_;
    bool showAccelChar_ = true;
};

} // namespace kv::controls
