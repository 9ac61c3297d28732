// The shell's default action for a file, web or mail address, behind one seam so that tests see
// the address instead of starting another program. The result is not reported to the caller.
#pragma once

#include <QUrl>
#include <functional>

namespace kv::ui {

using ShellOpener = std::function<void(const QUrl&)>;

// Hands `url` to the opener in force (QDesktopServices::openUrl unless a test installed another).
void openInShell(const QUrl& url);
// Installs `opener`; an empty function returns to the desktop's default action.
void setShellOpener(ShellOpener opener);

} // namespace kv::ui
