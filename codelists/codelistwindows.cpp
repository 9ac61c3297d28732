// The factories of the code-list and settings windows.
#include "codelistwindows.h"

#include "formdodavatele.h"
#include "formonecolumn.h"
#include "formsetup.h"
#include "formuzivatele.h"

#include "data/datmod.h"

#include <stdexcept>

namespace kv::codelists {

namespace {

template <class Window> std::unique_ptr<QObject> create() {
    if (!data::DM)
        throw std::runtime_error("Okna číselníků nelze vytvořit bez datového modulu.");
    return std::make_unique<Window>(*data::DM);
}

} // namespace

std::unique_ptr<QObject> createFormSetup() {
    return create<TFormSetup>();
}
std::unique_ptr<QObject> createFormDoprava() {
    return create<TFormDoprava>();
}
std::unique_ptr<QObject> createFormPlatba() {
    return create<TFormPlatba>();
}
std::unique_ptr<QObject> createFormUzivatele() {
    return create<TFormUzivatele>();
}
std::unique_ptr<QObject> createFormDodavatele() {
    return create<TFormDodavatele>();
}

} // namespace kv::codelists
