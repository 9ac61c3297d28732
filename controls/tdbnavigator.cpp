// The navigator's buttons and their enabled states.
#include "tdbnavigator.h"

#include "data/store/table.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace kv::controls {

namespace {

struct ButtonText {
    const char* name;
    const char16_t* glyph;
    const char16_t* hint;
};

constexpr ButtonText kButtons[kNavigateButtonCount] = {
    {"nbFirst", u"|\u25C0", u"První záznam"}, {"nbPrior", u"\u25C0", u"Předchozí záznam"},
    {"nbNext", u"\u25B6", u"Další záznam"},   {"nbLast", u"\u25B6|", u"Poslední záznam"},
    {"nbInsert", u"+", u"Vložit záznam"},     {"nbDelete", u"\u2212", u"Vymazat záznam"},
    {"nbEdit", u"\u25B2", u"Upravit záznam"}, {"nbPost", u"\u2713", u"Uložit změny"},
    {"nbCancel", u"\u2717", u"Zrušit změny"}, {"nbRefresh", u"\u21BB", u"Obnovit data"},
};

} // namespace

TDBNavigator::TDBNavigator(QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < kNavigateButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(kButtons[i].name));
        b->setText(QString::fromUtf16(kButtons[i].glyph));
        // The glyph means nothing read aloud: a screen reader reads the hint instead.
        b->setToolTip(QString::fromUtf16(kButtons[i].hint));
        b->setAccessibleName(b->toolTip());
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(25, 25);
        layout->addWidget(b);
        buttons_[std::size_t(i)] = b;
        const auto which = TNavigateBtn(i);
        connect(b, &QToolButton::clicked, this, [this, which] { click(which); });
    }
    updateButtons();
}

void TDBNavigator::setDataSource(store::DataSource* source) {
    for (const auto& c : connections_)
        disconnect(c);
    connections_.clear();
    source_ = source;
    if (source) {
        connections_ << connect(source, &store::DataSource::dataChanged, this,
                                [this](int) { updateButtons(); });
        connections_ << connect(source, &store::DataSource::stateChanged, this, &TDBNavigator::updateButtons);
        connections_ << connect(source, &store::DataSource::dataSetChanged, this,
                                &TDBNavigator::updateButtons);
    }
    updateButtons();
}

void TDBNavigator::setVisibleButtons(std::initializer_list<TNavigateBtn> buttons) {
    for (QToolButton* b : buttons_)
        b->setVisible(false);
    for (TNavigateBtn b : buttons)
        button(b)->setVisible(true);
}

bool TDBNavigator::isButtonVisible(TNavigateBtn b) const {
    return !button(b)->isHidden();
}

void TDBNavigator::click(TNavigateBtn b) {
    store::Table* table = source_ ? source_->dataSet() : nullptr;
    if (!table || !navigateEnabled(*table, b))
        return;
    // The delete is approved here, where the data source's own check is known.
    const bool ran = (b != TNavigateBtn::nbDelete || approveDeletion(source_, confirmDelete_, this)) &&
                     navigate(*table, b, false, this);
    // A move that stops at an end tells no one; the buttons read the cursor again here.
    updateButtons();
    if (ran)
        Q_EMIT clicked(b);
}

void TDBNavigator::updateButtons() {
    const store::Table* table = source_ ? source_->dataSet() : nullptr;
    for (int i = 0; i < kNavigateButtonCount; ++i)
        buttons_[std::size_t(i)]->setEnabled(table && navigateEnabled(*table, TNavigateBtn(i)));
}

} // namespace kv::controls
