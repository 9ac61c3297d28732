// What the code-list and settings windows have in common: a tool window of a fixed client size in
// Arial 12 px, created once at start-up and hidden when closed, opened modally at the corner of
// the window that opens it (plus an offset), with its show and close handlers; Escape asks before
// it closes a window holding typing not yet saved.
#pragma once

#include <QDialog>

namespace kv::codelists {

class CodeListWindow : public QDialog {
    Q_OBJECT
public:
    // `objectName` is the window's instance name ("FormPlatba"), `caption` its exact title.
    CodeListWindow(const char* objectName, const QString& caption, QSize clientSize,
                   QWidget* parent = nullptr);

    // Shows the window modally through the dialog seam with its top-left corner at `opener`'s
    // plus `offset`, moved back onto the screen where it would pass its right or bottom edge.
    // Returns when the window closes, however it is closed; the cursor of the window's table then
    // stands on the record the user left current.
    int openFrom(const QWidget& opener, QPoint offset = {});

protected:
    // Every showing, before the window is seen.
    virtual void FormShow() {}
    // Every close (a button, the frame, Escape), before the window hides.
    virtual void FormClose() {}
    // Whether the window holds typing not yet saved, which Escape would drop.
    virtual bool hasUnsavedTyping() const { return false; }

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;
};

} // namespace kv::codelists
