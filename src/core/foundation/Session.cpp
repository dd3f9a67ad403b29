#include "core/foundation/Session.h"

#include <cstdio>
#include <cstdlib>

#include "platform/ReplacementNotes.h"

namespace {
Session& storage() {
    static Session s;
    return s;
}
}  // namespace

Session::Session() = default;

Session& session() { return storage(); }

void resetSession() {
    storage() = Session{};
    // Writes are noted in the configuration folder of a session that start-up set up.
    platform::setReplacementNotes({});
}

UserInterface& userInterface() {
    UserInterface* ui = storage().ui;
    if (!ui) {
        std::fputs("talvexa: no user interface installed\n", stderr);
        std::abort();
    }
    return *ui;
}
