// The real dialogs: QMessageBox, QInputDialog, QFileDialog and QDialog::exec().
#pragma once

#include "dialogs.h"

namespace kv::ui {

class RealDialogs : public Dialogs {
public:
    MsgButton message(const QString& text, MsgStyle style, MsgButtons buttons, QWidget* parent) override;
    MsgButton captionedMessage(const QString& caption, const QString& text, MsgStyle style,
                               MsgButtons buttons, QWidget* parent) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value, QWidget* parent) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& dir,
                         QWidget* parent) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& dir,
                         const QString& defaultSuffix, QWidget* parent) override;
    int showModal(QDialog& dialog) override;
};

} // namespace kv::ui
