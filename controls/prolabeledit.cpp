// The labelled edit: layout of its three parts, the fill bar following the text, Enter moving on.
#include "prolabeledit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

namespace kv::controls {

LabelEditGeometry labelEditLayout(QSize size, int labelWidth, int gap, bool autoSize, int editHeight) {
    LabelEditGeometry g;
    g.height = autoSize ? editHeight + TFillBar::kHeight + 1 : size.height();
    g.label = QRect(0, 0, labelWidth, g.height);
    g.bar = QRect(0, g.height - TFillBar::kHeight, size.width(), TFillBar::kHeight);
    g.edit = QRect(labelWidth + gap, 0, size.width() - labelWidth - gap, g.height - TFillBar::kHeight - 1);
    return g;
}

bool focusNextControl(QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (w->window() == from->window() && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
            w->isVisibleTo(from->window()) && !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}

TProLabelEdit::TProLabelEdit(QWidget* parent)
    : TProLabelEdit(new TEdit, parent) {}

TProLabelEdit::TProLabelEdit(TEdit* edit, QWidget* parent)
    : QWidget(parent)
    , edit_(edit)
    , label_(new TProLabel(this))
    , bar_(new TFillBar(this)) {
    edit_->setParent(this);
    edit_->setObjectName(QStringLiteral("edit"));
    label_->setObjectName(QStringLiteral("label"));
    bar_->setObjectName(QStringLiteral("fillBar"));
    // The edit box comes first, as the children are created in that order.
    label_->stackUnder(edit_);
    bar_->raise();
    setFocusPolicy(Qt::NoFocus);
    setFocusProxy(edit_);
    label_->setAutoSize(false);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label_->setVerticalAlignment(TVerticalAlignment::vaCenter);
    label_->setBuddy(edit_);
    label_->setCaption(QStringLiteral("LabelEdit:"));
    setAutoFillBackground(true);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, [this] { textChanged(); });
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& t) {
        if (charCase_ == TEditCharCase::ecNormal)
            return;
        const QString cased = charCase_ == TEditCharCase::ecUpperCase ? t.toUpper() : t.toLower();
        if (cased != t) {
            const int pos = edit_->cursorPosition();
            edit_->setText(cased);
            edit_->setCursorPosition(pos);
            // Still the user's change: a data-aware edit box writes only a modified text.
            edit_->setModified(true);
        }
    });
    resize(250, 25);
    relayout();
}

void TProLabelEdit::relayout() {
    if (inLayout_)
        return;
    inLayout_ = true;
    const LabelEditGeometry g =
        labelEditLayout(size(), labelWidth_, gap_, autoSize_, edit_->sizeHint().height());
    if (g.height != height())
        resize(width(), g.height);
    label_->setGeometry(g.label);
    bar_->setGeometry(g.bar);
    edit_->setGeometry(g.edit);
    inLayout_ = false;
}

void TProLabelEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void TProLabelEdit::setLabelWidth(int px) {
    labelWidth_ = px;
    relayout();
}

void TProLabelEdit::setGap(int px) {
    gap_ = px;
    relayout();
}

void TProLabelEdit::setAutoSize(bool on) {
    autoSize_ = on;
    relayout();
}

QColor TProLabelEdit::color() const {
    return edit_->palette().color(QPalette::Base);
}

void TProLabelEdit::setColor(const QColor& c) {
    QPalette p = edit_->palette();
    p.setColor(QPalette::Base, c);
    edit_->setPalette(p);
}

void TProLabelEdit::setLabelColor(const QColor& c) {
    QPalette p = palette();
    p.setColor(QPalette::Window, c);
    setPalette(p);
    label_->setColor(c);
}

void TProLabelEdit::setCharCase(TEditCharCase c) {
    charCase_ = c;
    if (c == TEditCharCase::ecUpperCase)
        edit_->setWholeText(edit_->text().toUpper());
    else if (c == TEditCharCase::ecLowerCase)
        edit_->setWholeText(edit_->text().toLower());
}

void TProLabelEdit::setMaxLength(int chars) {
    maxLength_ = chars;
    edit_->setTypingLimit(chars);
}

void TProLabelEdit::setPasswordChar(QChar c) {
    passwordChar_ = c;
    edit_->setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TProLabelEdit::textChanged() {
    bar_->setMaximum(maxLength());
    bar_->setPosition(int(edit_->text().size()));
    bar_->setBarColor(fillBarColour(bar_->position(), bar_->maximum(), bar_->barColor()));
    Q_EMIT changed();
}

void TProLabelEdit::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        label_->setFont(font());
        edit_->setFont(font());
        relayout();
    }
}

void TProLabelEdit::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    Q_EMIT mouseEntered();
}

void TProLabelEdit::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    Q_EMIT mouseLeft();
}

bool TProLabelEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (autoSelect_)
            QTimer::singleShot(0, edit_, &QLineEdit::selectAll);
        Q_EMIT entered();
        break;
    case QEvent::FocusOut:
        Q_EMIT exited();
        break;
    case QEvent::KeyRelease:
        Q_EMIT keyUp(static_cast<QKeyEvent*>(event));
        break;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        Q_EMIT keyDown(key);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextControl(edit_);
            Q_EMIT keyPressed(QChar(13));
            return true;
        }
        if (!key->text().isEmpty())
            Q_EMIT keyPressed(key->text().at(0));
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace kv::controls
