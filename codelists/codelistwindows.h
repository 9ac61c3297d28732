// Start-up of the code-list and settings windows: one factory per window, each making its window
// hidden over the data module DM. The new order window finds the made windows by class name
// ("TFormPlatba") and opens them with CodeListWindow::openFrom().
#pragma once

#include <QObject>
#include <memory>

namespace kv::codelists {

// Each throws std::runtime_error when the data module has not been made.
std::unique_ptr<QObject> createFormSetup();
std::unique_ptr<QObject> createFormDoprava();
std::unique_ptr<QObject> createFormPlatba();
std::unique_ptr<QObject> createFormUzivatele();
std::unique_ptr<QObject> createFormDodavatele();

} // namespace kv::codelists
