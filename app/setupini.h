// SETUP.INI in the program folder: the main window's position (section "Hlavní okno") and the day
// the support notice was last due (section "DAR"). Missing or unreadable values give the defaults;
// a file that cannot be written is passed over silently.
#pragma once

#include <QDate>
#include <QPoint>
#include <QString>

namespace kv::app {

class SetupIni {
public:
    // The file in the program folder.
    SetupIni();
    explicit SetupIni(QString path);

    const QString& path() const { return path_; }

    // The main window's stored left and top edges, (0, 0) when missing.
    QPoint mainWindowPosition() const;
    void writeMainWindowPosition(QPoint topLeft);

    // Reads the last notice date (today − 5 days when missing or not a date), stores `today`
    // in its place, and returns true when a day or more has passed since the date read.
    bool takeNoticeDue(const QDate& today);

private:
    QString path_;
};

} // namespace kv::app
