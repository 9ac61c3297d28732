// The shell seam: QDesktopServices (xdg-open) in the program, a recorder in tests.
#include "shellopen.h"

#include <QDesktopServices>

namespace kv::ui {
namespace {
ShellOpener& installed() {
    static ShellOpener opener;
    return opener;
}
} // namespace

void openInShell(const QUrl& url) {
    if (installed())
        installed()(url);
    else
        QDesktopServices::openUrl(url);
}

void setShellOpener(ShellOpener opener) {
    installed() = std::move(opener);
}

} // namespace kv::ui
