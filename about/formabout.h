// The about window: the program's version block as twelve captioned values, the changes file in a
// memo re-read at every showing, the maker's logo and links. Shown non-modally; closing hides it.
#pragma once

#include "infgetversion.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace kv::about {

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);

    TInfGetVersion GV;
    QFrame* panOProg = nullptr;
    QFrame* PanZmeny = nullptr;
    QPlainTextEdit* Zmeny = nullptr;
    QPushButton* tlProgram = nullptr;
    QPushButton* tlZmeny = nullptr;
    QPushButton* tlZavrit = nullptr;

    // The value box of a row by its caption ("Verze produktu:"), for tests.
    QLabel* valueBox(const QString& caption) const;

    // Reads the version information of `executable` (the running program unless a caller names another).
    void FormCreate(const QString& executable = ownExecutable());
    void FormShow();
    void tlProgramClick();
    void tlZmenyClick();
    void TlZavriClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildHeader(QWidget* parent);
    void buildProgramPanel();
    QList<QPair<QString, QLabel*>> rows_;
};

// The window for the start-up sequence: created hidden with FormCreate done.
std::unique_ptr<QObject> createAboutWindow();

} // namespace kv::about
