#pragma once

class QWidget;

// Shows a field that fails its check: red text on a tinted ground (so an empty field
// shows too), a red frame for a pop-up list, and the dynamic property invalid=true
// that tests read. Passing clears all of it.
void markInvalid(QWidget* field, bool invalid);
