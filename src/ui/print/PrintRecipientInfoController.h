#pragma once

class QWidget;

// The recipients' copies of the selected recipients of the form kind in the main
// window's recipient details: the option dialog of 1099-MISC, -INT and -NEC (2-up or
// 4-up, partial year), the alignment notice unless silenced, then the print run.
// Cancel in either window ends the flow with nothing printed. 1099-DIV, -R and -S have
// no option dialog and print on pre-printed forms.
class PrintRecipientInfoController {
public:
    static void run(QWidget* parent);
};
