#include "ui/print/PrintHandOffs.h"

#include "core/print/DisplayPDF.h"
#include "ui/print/MailingLabels.h"
#include "ui/print/PrintFormForFiling.h"
#include "ui/print/PrintRecipientInfoController.h"
#include "ui/support/HandOffs.h"

void installPrintHandOffs() {
    HandOffs& h = handOffs();
    h.printFormsForRecipients = &PrintRecipientInfoController::run;
    h.printFormsForFiling = &PrintFormForFiling::run;
    h.summaryReport = [](QWidget*) { DisplayPDF().PrintSummaryReport(); };
    h.mailingLabelSettings = [](QWidget* parent) { return MailingLabels::run(parent); };
    h.mailingLabelReport = [](QWidget*) { DisplayPDF().MailingLablesReport(); };
}
