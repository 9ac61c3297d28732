// The creation order of the program's windows. Later windows depend on earlier ones being there
// (the new order window uses the code lists, the orders list the filter and the preview), so a
// window joins the program by giving its entry here a factory that returns the new, hidden window.
#include "startupwindows.h"

#include "about/formabout.h"
#include "codelists/codelistwindows.h"
#include "errors/formvyjimka.h"
#include "print/printwindows.h"

namespace kv::app {

const std::vector<StartupWindow>& startupWindows() {
    static const std::vector<StartupWindow> windows = {
        {"TFormSetup", codelists::createFormSetup},           // settings
        {"TFormDoprava", codelists::createFormDoprava},       // transport types
        {"TFormPlatba", codelists::createFormPlatba},         // payment methods
        {"TFormUzivatele", codelists::createFormUzivatele},   // users
        {"TFormDodavatele", codelists::createFormDodavatele}, // suppliers
        {"TFormNovaObj", {}},                                 // new order
        {"TFormVyjimka", errors::createExceptionWindow},      // exception window
        {"TFormSeznamObj", {}},                               // orders list
        {"TFormFiltr", {}},                                   // orders filter
        {"TFormNahledTisku", print::createPrintPreview},      // print preview
        {"TSestavy", print::createReportContainer},           // report layouts
        {"TFormAbout", about::createAboutWindow},             // about
    };
    return windows;
}

} // namespace kv::app
