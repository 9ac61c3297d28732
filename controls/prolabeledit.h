// TProLabelEdit: one control made of a caption label on the left, an edit box on the right and a
// 4-pixel fill bar along the bottom showing how much of the allowed length the text uses.
// labelEditLayout() holds the geometry, fillBarColour() (fillbar.h) the bar's colour rule.
#pragma once

#include "fillbar.h"
#include "prolabel.h"
#include "tedit.h"

#include <QWidget>

namespace kv::controls {

struct LabelEditGeometry {
    int height = 0; // the composite's height after the layout
    QRect label;
    QRect edit;
    QRect bar;
};
// `size` is the composite's requested size, `editHeight` the edit box's own height (used only
// with `autoSize`, which forces the height to edit box + bar + 1).
LabelEditGeometry labelEditLayout(QSize size, int labelWidth, int gap, bool autoSize, int editHeight);

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TProLabelEdit : public QWidget {
    Q_OBJECT
public:
    explicit TProLabelEdit(QWidget* parent = nullptr);

    QString caption() const { return label_->caption(); }
    void setCaption(const QString& text) { label_->setCaption(text); }
    QString text() const { return edit_->text(); }
    // The whole text, also past maxLength() (which limits typing only); raises changed() like typing.
    void setText(const QString& text) { edit_->setWholeText(text); }

    QColor color() const; // the edit box's background
    void setColor(const QColor& c);
    QColor labelColor() const { return label_->color(); }
    void setLabelColor(const QColor& c);

    int labelWidth() const { return labelWidth_; }
    void setLabelWidth(int px);
    int labelHeight() const { return height(); }
    void setLabelHeight(int) {} // the caption is always as high as the control
    int gap() const { return gap_; }
    void setGap(int px);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    Qt::Alignment labelAlignment() const { return label_->alignment() & Qt::AlignHorizontal_Mask; }
    void setLabelAlignment(Qt::Alignment a) { label_->setAlignment(a | Qt::AlignVCenter); }
    TVerticalAlignment labelLayout() const { return label_->verticalAlignment(); }
    void setLabelLayout(TVerticalAlignment v) { label_->setVerticalAlignment(v); }
    bool labelWordWrap() const { return label_->labelWordWrap(); }
    void setLabelWordWrap(bool on) { label_->setLabelWordWrap(on); }
    QColor labelHighlightColor() const { return label_->highlightColor(); }
    void setLabelHighlightColor(const QColor& c) { label_->setHighlightColor(c); }
    int labelHighlightDepth() const { return label_->highlightDepth(); }
    void setLabelHighlightDepth(int px) { label_->setHighlightDepth(px); }
    TDirection labelHighlightDirection() const { return label_->highlightDirection(); }
    void setLabelHighlightDirection(TDirection d) { label_->setHighlightDirection(d); }
    int labelOffsetX() const { return label_->offsetX(); }
    void setLabelOffsetX(int px) { label_->setOffsetX(px); }
    int labelOffsetY() const { return label_->offsetY(); }
    void setLabelOffsetY(int px) { label_->setOffsetY(px); }
    QColor labelShadowColor() const { return label_->shadowColor(); }
    void setLabelShadowColor(const QColor& c) { label_->setShadowColor(c); }
    int labelShadowDepth() const { return label_->shadowDepth(); }
    void setLabelShadowDepth(int px) { label_->setShadowDepth(px); }
    TDirection labelShadowDirection() const { return label_->shadowDirection(); }
    void setLabelShadowDirection(TDirection d) { label_->setShadowDirection(d); }
    int labelShadowSize() const { return label_->shadowSize(); }
    void setLabelShadowSize(int n) { label_->setShadowSize(n); }
    TShadowStyle labelShadowStyle() const { return label_->shadowStyle(); }
    void setLabelShadowStyle(TShadowStyle s) { label_->setShadowStyle(s); }

    // The edit box's properties.
    bool autoSelect() const { return autoSelect_; }
    void setAutoSelect(bool on) { autoSelect_ = on; }
    bool borderStyleSingle() const { return edit_->hasFrame(); }
    void setBorderStyleSingle(bool on) { edit_->setFrame(on); }
    TEditCharCase charCase() const { return charCase_; }
    void setCharCase(TEditCharCase c);
    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool on) { hideSelection_ = on; }
    // Characters the user may type; 0 = unlimited. A text set by the program is never cut.
    virtual int maxLength() const { return maxLength_; }
    virtual void setMaxLength(int chars);
    bool oemConvert() const { return oemConvert_; } // kept for the windows that set it; text is Unicode here
    void setOemConvert(bool on) { oemConvert_ = on; }
    // Whether Tab reaches the edit box; the composite itself never takes the focus.
    bool tabStop() const { return edit_->focusPolicy() & Qt::TabFocus; }
    void setTabStop(bool on) { edit_->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); }
    QChar passwordChar() const { return passwordChar_; }
    void setPasswordChar(QChar c);
    bool readOnly() const { return edit_->isReadOnly(); }
    virtual void setReadOnly(bool on) { edit_->setReadOnly(on); }

    TEdit* editBox() const { return edit_; }
    TProLabel* captionLabel() const { return label_; }
    TFillBar* fillBar() const { return bar_; }

Q_SIGNALS:
    void entered();                 // OnEnter of the edit box
    void exited();                  // OnExit
    void keyDown(QKeyEvent* event); // OnKeyDown
    void keyUp(QKeyEvent* event);   // OnKeyUp
    void changed();                 // OnChange, after the fill bar has followed the text
    void keyPressed(QChar key);     // OnKeyPress, after Enter has moved the focus
    void mouseEntered();
    void mouseLeft();

protected:
    // The data-aware variant hands in its own edit box (owned by this control).
    TProLabelEdit(TEdit* edit, QWidget* parent);
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void textChanged();
    void relayout();

private:
    TEdit* edit_;
    TProLabel* label_;
    TFillBar* bar_;
    int labelWidth_ = 100;
    int gap_ = 0;
    bool autoSize_ = true;
    bool autoSelect_ = true;
    bool hideSelection_ = true;
    bool oemConvert_ = false;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    QChar passwordChar_;
    int maxLength_ = 0;
    bool inLayout_ = false;
};

// Gives the focus to the control after `from` in its window's tab order; false when there is none.
bool focusNextControl(QWidget* from);

} // namespace kv::controls
