#include "ui/print/PrintRecipientInfoController.h"

#include "core/foundation/Session.h"
#include "core/print/DisplayPDF.h"
#include "core/store/Recipient.h"
#include "ui/print/PrintAlignmentDialog.h"
#include "ui/print/PrintOptionDialog.h"

void PrintRecipientInfoController::run(QWidget* parent) {
    Session& s = session();
    s.PartialYear = false;
    const int32_t kind = s.recp_details ? s.recp_details->getType() : 0;
    bool fourUp = false;
    if (auto options = PrintOptionDialog::make(kind, false, parent)) {
        if (options->run() != PrintOptionDialog::kOkCode) return;
        fourUp = options->getLastSelected() == PrintOptionDialog::kFourUp;
    }
    if (!PrintAlignmentDialog::passes(parent)) {
        s.PartialYear = false;
        return;
    }
    DisplayPDF printRun(kind, fourUp);
    printRun.RecipientFed1099();
}
