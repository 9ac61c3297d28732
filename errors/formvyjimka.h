// The exception window: one error with its source position and the machine's description, the queue
// of errors that arrived while it showed, and the buttons to go on, empty the queue, save the log as
// a report or end the program. Borderless, always on top, shown modeless; closing hides it. A dialog
// window, so the desktop counts it to the main window that owns it, or to the modal window it
// arose in while that shows.
#pragma once

#include "errorlog.h"
#include "systemprobe.h"

#include "about/infgetversion.h"

#include <QStringList>
#include <QWidget>
#include <exception>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace kv::errors {

class TFormVyjimka : public QWidget {
    Q_OBJECT
public:
    explicit TFormVyjimka(QWidget* parent = nullptr);
    ~TFormVyjimka() override;

    // The application-wide exception hook: reports `error` through the one error reporter, whether
    // or not the window exists.
    static void AppException(const std::exception_ptr& error);

    // Reads the program's version texts into VerInf and the reporter, and the system facts.
    void FormCreate();
    // The window's part of handling one error: fill and show, or queue while showing.
    void showError(const ErrorTexts& t);
    // LabOS, LabCPU, LabVGA: written at every error, also when the window will not show it.
    void setSystemTexts(const ErrorTexts& t);

    void TlPokracujClick();
    void TlVyprazdniFronruClick();
    void TlReportClick();
    void TKonecAPPClick();

    QFrame* Panel1;
    QLabel *Image1, *Image2;
    QLabel *LabStartPrg, *LabCas, *LabDobaBehu, *LabPopis;
    QLabel *LabJednotka, *LabProcedura, *LabRadek, *LabTridyVzniku, *LabTridyKomp, *LabNazvyKomp;
    QLabel* LabPocErrVeFr;
    QCheckBox* Potlacit;
    QLabel *LabOS, *LabCPU, *LabVGA, *LabFyzPamet, *LabVirtPamet;
    QLabel* LabVyuzPam;
    QPushButton *tlPokracuj, *Button1, *Button2, *Button3;
    about::TInfGetVersion VerInf;
    TSystemProbe* SProbe;

    // The queue: one text per record in each list, oldest first.
    QStringList ListPopis, ListJednotka, ListProcedura, ListRadek, ListDatum, ListCas, ListVznikKomponenty,
        ListVznikuTridy, ListNazvyKomp, ListDobaBehu, ListFyzRam, ListVirtRam, ListVyuzRam;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Takes the modal window showing now, or else the main window, as this window's owner.
    void followModalWindow();
    QList<QStringList*> queueLists();
    void setQueueCount();
};

// The window for the start-up sequence: created hidden with FormCreate done.
std::unique_ptr<QObject> createExceptionWindow();

} // namespace kv::errors
