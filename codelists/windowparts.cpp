// The controls of the code-list and settings windows.
#include "windowparts.h"

#include "controls/dbgrid.h"
#include "controls/fillbar.h"
#include "controls/prolabeledit.h"
#include "controls/tdbnavigator.h"
#include "data/store/tabledef.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace kv::codelists {

using controls::TNavigateBtn;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(caption);
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setGeometry(geometry);
    return b;
}

controls::TProLabelEdit* makeLabelEdit(QWidget* parent, const char* name, const QString& caption,
                                       int maxLength, QRect geometry, int labelWidth) {
    auto* e = new controls::TProLabelEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setCaption(caption);
    e->setAccessibleName(caption);
    e->editBox()->setAccessibleName(caption);
    e->fillBar()->setAccessibleName(QStringLiteral("Zaplnění pole ") + caption);
    e->setMaxLength(maxLength);
    e->setLabelWidth(labelWidth);
    e->setGeometry(geometry);
    return e;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAccessibleName(text);
    l->setGeometry(geometry);
    return l;
}

QFrame* makeSeparator(QWidget* parent, QRect geometry) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Bevel1"));
    line->setAccessibleName(QStringLiteral("Oddělovač"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(geometry);
    return line;
}

QWidget* makePage(QTabWidget* pages, const char* name, const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    page->setAccessibleName(caption.trimmed());
    pages->addTab(page, caption);
    return page;
}

controls::DBGrid* makeGrid(QWidget* parent, const char* name, const QString& accessibleName,
                           store::DataSource* source, QRect geometry) {
    auto* g = new controls::DBGrid(parent);
    g->setObjectName(QLatin1String(name));
    g->setAccessibleName(accessibleName);
    g->setDataSource(source);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setGeometry(geometry);
    return g;
}

controls::TDBNavigator* makeNavigator(QWidget* parent, const char* name, store::DataSource* source,
                                      QPoint topLeft) {
    auto* n = new controls::TDBNavigator(parent);
    n->setObjectName(QLatin1String(name));
    n->setAccessibleName(QStringLiteral("Navigátor"));
    n->setDataSource(source);
    const TNavigateBtn shown[] = {TNavigateBtn::nbFirst, TNavigateBtn::nbPrior,  TNavigateBtn::nbNext,
                                  TNavigateBtn::nbLast,  TNavigateBtn::nbDelete, TNavigateBtn::nbRefresh};
    n->setVisibleButtons({shown[0], shown[1], shown[2], shown[3], shown[4], shown[5]});
    for (TNavigateBtn b : shown)
        n->button(b)->setAccessibleName(n->button(b)->toolTip());
    n->setGeometry(QRect(topLeft, QSize(int(std::size(shown)) * 25, 25)));
    return n;
}

QList<controls::TProLabelEdit*> makeBoxes(QWidget* page, std::span<const BoxField> fields,
                                          const store::TableDef& def, BoxSet& boxes,
                                          const std::function<QRect(int)>& place, int labelWidth) {
    QList<controls::TProLabelEdit*> out;
    for (const BoxField& f : fields) {
        int maxLength = f.maxLength;
        if (maxLength == BoxField::kFieldSize) {
            const int i = def.fieldIndex(QLatin1String(f.fieldName));
            maxLength = i >= 0 ? def.fields[i].size : 0;
        }
        auto* e = makeLabelEdit(page, f.editName, QString::fromUtf16(f.caption), maxLength,
                                place(int(out.size())), labelWidth);
        boxes.add(e, f.fieldName);
        if (!out.isEmpty())
            QWidget::setTabOrder(out.last()->editBox(), e->editBox());
        out << e;
    }
    return out;
}

void showInEdit(controls::TProLabelEdit& edit, const QString& text) {
    const int typed = edit.maxLength() > 0 ? edit.maxLength() : 32767;
    edit.editBox()->setMaxLength(std::max(typed, int(text.size())));
    edit.setText(text);
}

} // namespace kv::codelists
