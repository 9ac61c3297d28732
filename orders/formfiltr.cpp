// The orders filter window: its controls and the wiring of each change to the filter's state.
#include "formfiltr.h"

#include "controlnames.h"

#include "base/clock.h"
#include "data/datmod.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kv::orders {

TFormFiltr::TFormFiltr(data::TDM& dm, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , dm_(dm) {
    setObjectName(QStringLiteral("FormFiltr"));
    setWindowTitle(QStringLiteral("Filtrování objednávek..."));
    setAccessibleName(windowTitle());

    auto* states = named(new QGroupBox(this), "gbStav", QStringLiteral("Stav objednávek"));
    auto radio = [states](const char* name, const QString& text) {
        return named(new QRadioButton(text, states), name, text);
    };
    chVeskere = radio("chVeskere", QStringLiteral("Veškeré objednávky"));
    cdVyrizene = radio("cdVyrizene", QStringLiteral("Vyřízené objednávky"));
    chNevyrizene = radio("chNevyrizene", QStringLiteral("Nevyřízené objednávky"));
    chStornovane = radio("chStornovane", QStringLiteral("Stornované objednávky"));
    chPoTerminu = radio("chPoTerminu", QStringLiteral("Po termínu dodání"));
    chNevyrizene->setChecked(true);
    auto* stateLayout = new QVBoxLayout(states);
    for (int kind = kAllOrders; kind <= kOverdue; ++kind) {
        QRadioButton* b = stateButton(kind);
        stateLayout->addWidget(b);
        connect(b, &QRadioButton::clicked, this, [this, kind] { applyState(kind); });
    }

    const QDate today = clock::today();
    auto range = [this](const char* group, const QString& title, const char* fromName, const char* toName,
                        const char* boxName, const QDate& from, const QDate& to, QDateEdit*& fromEdit,
                        QDateEdit*& toEdit, QCheckBox*& box) {
        auto* g = named(new QGroupBox(title, this), group, title);
        auto picker = [g](const char* name, const QString& label, const QDate& date) {
            auto* d = namedDate(new QDateEdit(date, g), name, label);
            d->setDisplayFormat(QStringLiteral("d.M.yyyy"));
            d->setCalendarPopup(true);
            return d;
        };
        fromEdit = picker(fromName, title + QStringLiteral(" od"), from);
        toEdit = picker(toName, title + QStringLiteral(" do"), to);
        box = named(new QCheckBox(QStringLiteral("aktivní"), g), boxName, title + QStringLiteral(" aktivní"));
        auto* layout = new QGridLayout(g);
        layout->addWidget(new QLabel(QStringLiteral("Od:"), g), 0, 0);
        layout->addWidget(fromEdit, 0, 1);
        layout->addWidget(new QLabel(QStringLiteral("Do:"), g), 1, 0);
        layout->addWidget(toEdit, 1, 1);
        layout->addWidget(box, 0, 2, 2, 1);
        for (QDateEdit* d : {fromEdit, toEdit})
            connect(d, &QDateEdit::dateChanged, this, &TFormFiltr::rangesChanged);
        connect(box, &QCheckBox::clicked, this, &TFormFiltr::rangesChanged);
        return g;
    };
    QGroupBox* created =
        range("gbZalozeni", QStringLiteral("Datum vytvoření objednávky:"), "fOdZalozeni", "fDoZalozeni",
              "edZalozenaAkt", today.addDays(-7), today, fOdZalozeni, fDoZalozeni, edZalozenaAkt);
    QGroupBox* settled =
        range("gbUzavrena", QStringLiteral("Datum uzavření objednávky:"), "fOdUzavrena", "fDoUzavrena",
              "edAktUkoncena", today.addDays(-7), today, fOdUzavrena, fDoUzavrena, edAktUkoncena);
    QGroupBox* delivery =
        range("gbTerminDod", QStringLiteral("Termín dodání:"), "fOdTerminDod", "fDoTerminDod",
              "edChTerminDodAkt", today, today.addDays(7), fOdTerminDod, fDoTerminDod, edChTerminDodAkt);

    tlZavri = named(new QPushButton(QStringLiteral("Zavřít"), this), "tlZavri", QStringLiteral("Zavřít"));
    tlZavri->setAutoDefault(false);
    connect(tlZavri, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    for (QGroupBox* g : {states, created, settled, delivery})
        layout->addWidget(g);
    layout->addWidget(tlZavri, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QRadioButton* TFormFiltr::stateButton(int kind) const {
    switch (kind) {
    case kCompleted:
        return cdVyrizene;
    case kOpen:
        return chNevyrizene;
    case kCancelled:
        return chStornovane;
    case kOverdue:
        return chPoTerminu;
    default:
        return chVeskere;
    }
}

FilterRanges TFormFiltr::ranges() const {
    return {{fOdZalozeni->date(), fDoZalozeni->date(), edZalozenaAkt->isChecked()},
            {fOdUzavrena->date(), fDoUzavrena->date(), edAktUkoncena->isChecked()},
            {fOdTerminDod->date(), fDoTerminDod->date(), edChTerminDodAkt->isChecked()}};
}

void TFormFiltr::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormFiltr::FormShow() {
    const int kind = filter_.shownKind();
    stateButton(kind)->setChecked(true);
    applyState(kind);
}

void TFormFiltr::applyState(int kind) {
    if (kind == kOverdue) {
        // The overdue orders are never limited by the ranges.
        for (QCheckBox* box : {edZalozenaAkt, edAktUkoncena, edChTerminDodAkt}) {
            const QSignalBlocker quiet(box);
            box->setChecked(false);
        }
    }
    filter_.apply(dm_.tabKalmorvaty, kind, clock::today());
}

void TFormFiltr::rangesChanged() {
    filter_.setRanges(ranges());
    FormShow();
}

} // namespace kv::orders
