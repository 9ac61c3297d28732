// TFormObj: the main window, a small window with one button per function of the program. It
// opens each function's window modally at its own corner, offers the manual through a pop-up menu,
// and remembers its position in SETUP.INI.
#pragma once

#include <QWidget>

class QMenu;
class QPushButton;

namespace kv::ui {
class AppWindows;
}

namespace kv::app {

class TFormObj : public QWidget {
    Q_OBJECT
public:
    // Reads its position from SETUP.INI. `windows` holds the windows its buttons open; a button
    // whose window is not there does nothing.
    explicit TFormObj(ui::AppWindows& windows, QWidget* parent = nullptr);
    // Writes its position to SETUP.INI.
    ~TFormObj() override;

    QPushButton* tlNova;
    QPushButton* tlVyrizene;
    QPushButton* tlDodavatele;
    QPushButton* tlUzivatele;
    QPushButton* tlZpPlatby;
    QPushButton* tlTypDopravy;
    QPushButton* tlNastaveni;
    QPushButton* tlManual;
    QPushButton* tlOprogramu;
    QPushButton* tlKonec;
    QMenu* mnuManual;

    // The manual file `fileName` in the folder MAN installed beside the executable.
    static QString manualPath(const QString& fileName);

Q_SIGNALS:
    // The window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tlNovaClick();
    void tlVyrizeneClick();
    void tlNastaveniClick();
    void tlOprogramuClick();
    void openModal(const char* className);
    void openManual(const QString& fileName);

    ui::AppWindows& windows_;
};

} // namespace kv::app
