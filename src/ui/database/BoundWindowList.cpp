#include "ui/database/BoundWindowList.h"

#include <algorithm>

#include "ui/database/DatabaseBoundWindow.h"

BoundWindowList::~BoundWindowList() {
    for (DatabaseBoundWindow* window : windows_) window->list_ = nullptr;
}

void BoundWindowList::add(DatabaseBoundWindow& window) {
    if (window.list_ == this) return;
    window.leaveBoundWindowList();
    windows_.push_back(&window);
    window.list_ = this;
}

void BoundWindowList::remove(DatabaseBoundWindow& window) {
    if (window.list_ != this) return;
    forget(&window);
    window.list_ = nullptr;
}

bool BoundWindowList::contains(const DatabaseBoundWindow& window) const {
    return std::find(windows_.begin(), windows_.end(), &window) != windows_.end();
}

void BoundWindowList::forget(const DatabaseBoundWindow* window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

bool BoundWindowList::closeAll() {
    while (!windows_.empty()) {
        DatabaseBoundWindow* window = windows_.back();
        if (!window->closeWithPrompt()) return false;
        // Closing may have destroyed the window, which then left the list by itself;
        // one still listed is alive and is let go here.
        if (std::find(windows_.begin(), windows_.end(), window) != windows_.end()) remove(*window);
    }
    return true;
}
