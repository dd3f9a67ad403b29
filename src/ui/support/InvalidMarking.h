#pragma once

class QWidget;

// Shows a control as failing its check or passing it. A failing text field has red
// text on a tinted ground (so an empty one shows too), a failing pop-up a red border;
// either way the control carries the dynamic property invalid=true (false once it
// passes), which tests read instead of colours.
void markInvalid(QWidget* control, bool invalid);
