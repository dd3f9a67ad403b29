#include "ui/database/DatabaseBoundWindow.h"

#include "ui/database/BoundWindowList.h"

DatabaseBoundWindow::~DatabaseBoundWindow() { leaveBoundWindowList(); }

void DatabaseBoundWindow::leaveBoundWindowList() {
    if (list_) list_->remove(*this);
}
