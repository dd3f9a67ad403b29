#pragma once

class BoundWindowList;

// A window that shows or changes data of the open company database (the payer window,
// a recipient entry window, the e-file window, ...). It joins the main window's list
// of bound windows when it opens and leaves it when it goes away, so that closing the
// database first closes it through its own close path.
class DatabaseBoundWindow {
public:
    DatabaseBoundWindow() = default;
    virtual ~DatabaseBoundWindow();
    DatabaseBoundWindow(const DatabaseBoundWindow&) = delete;
    DatabaseBoundWindow& operator=(const DatabaseBoundWindow&) = delete;

    // Closes the window as its close box would, asking first about unsaved changes.
    // False when the user chose to keep it open.
    virtual bool closeWithPrompt() = 0;

    // Leaves the list it joined, if any.
    void leaveBoundWindowList();

private:
    friend class BoundWindowList;
    BoundWindowList* list_ = nullptr;
};
