// The toolkit's own texts in Czech whatever the desktop's language: its standard dialogs (file,
// print, page setup), button boxes and the edit boxes' context menus through its Czech
// translation, and its calendars through the Czech locale (month and day names, Monday first).
#pragma once

#include <QString>

namespace kv::ui {

// Makes the toolkit speak Czech from now on: loads its Czech translation from `folder` (by default
// the toolkit's own translations folder) and makes Czech the default locale, so that windows made
// afterwards get Czech calendars. Dates the program writes keep their fixed format, and message
// box buttons keep the program's captions (buttonCaption()). Returns whether the translation was
// loaded; where it is not installed the toolkit stays English and nothing is said. Once loaded,
// later calls keep it.
bool useCzechToolkit(const QString& folder = {});

} // namespace kv::ui
