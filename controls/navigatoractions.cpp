// The record navigator's actions and button states.
#include "navigatoractions.h"

#include "data/store/datasource.h"
#include "data/store/table.h"
#include "ui/dialogs.h"

namespace kv::controls {

QString deleteQuestion() {
    return QStringLiteral("Vymazat záznam?");
}

bool confirmDeletion(QWidget* parent) {
    return ui::dialogs().message(deleteQuestion(), ui::MsgStyle::Confirmation,
                                 ui::MsgButton::Ok | ui::MsgButton::Cancel, parent) == ui::MsgButton::Ok;
}

bool approveDeletion(const store::DataSource* source, bool confirm, QWidget* parent) {
    const QString refusal = source ? source->deleteRefusal() : QString();
    if (!refusal.isEmpty()) {
        ui::showError(refusal, parent);
        return false;
    }
    return !confirm || confirmDeletion(parent);
}

bool navigateEnabled(const store::Table& table, TNavigateBtn button) {
    using S = store::Table::State;
    const S state = table.state();
    if (state == S::Inactive)
        return false;
    const bool editing = state == S::Edit || state == S::Insert;
    const bool empty = table.isEmpty();
    switch (button) {
    case TNavigateBtn::nbFirst:
    case TNavigateBtn::nbPrior:
        return !empty && !table.bof();
    case TNavigateBtn::nbNext:
    case TNavigateBtn::nbLast:
        return !empty && !table.eof();
    case TNavigateBtn::nbInsert:
        return true;
    case TNavigateBtn::nbDelete:
        return !empty || state == S::Insert;
    case TNavigateBtn::nbEdit:
        return !editing && !empty;
    case TNavigateBtn::nbPost:
    case TNavigateBtn::nbCancel:
        return editing;
    case TNavigateBtn::nbRefresh:
        return !editing;
    }
    return false;
}

bool navigate(store::Table& table, TNavigateBtn button, bool confirmDelete, QWidget* parent) {
    switch (button) {
    case TNavigateBtn::nbFirst:
        table.first();
        break;
    case TNavigateBtn::nbPrior:
        table.prior();
        break;
    case TNavigateBtn::nbNext:
        table.next();
        break;
    case TNavigateBtn::nbLast:
        table.last();
        break;
    case TNavigateBtn::nbInsert:
        table.append();
        break;
    case TNavigateBtn::nbDelete:
        if (confirmDelete && !confirmDeletion(parent))
            return false;
        table.deleteRecord();
        break;
    case TNavigateBtn::nbEdit:
        table.edit();
        break;
    case TNavigateBtn::nbPost:
        table.post();
        break;
    case TNavigateBtn::nbCancel:
        table.cancel();
        break;
    case TNavigateBtn::nbRefresh:
        table.refresh();
        break;
    }
    return true;
}

} // namespace kv::controls
