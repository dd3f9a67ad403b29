#pragma once

#include <cstddef>
#include <vector>

class DatabaseBoundWindow;

// The windows bound to the open company database, in the order they opened.
class BoundWindowList {
public:
    BoundWindowList() = default;
    ~BoundWindowList();
    BoundWindowList(const BoundWindowList&) = delete;
    BoundWindowList& operator=(const BoundWindowList&) = delete;

    // A window joins once; joining another list first leaves the old one.
    void add(DatabaseBoundWindow& window);
    void remove(DatabaseBoundWindow& window);
    bool contains(const DatabaseBoundWindow& window) const;
    std::size_t size() const { return windows_.size(); }

    // Closes every window through its own close path, the most recent first. Stops at
    // the first window that stays open and answers false; true when none is left.
    bool closeAll();

private:
    void forget(const DatabaseBoundWindow* window);

    std::vector<DatabaseBoundWindow*> windows_;
};
