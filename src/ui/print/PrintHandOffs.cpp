#include "ui/print/PrintHandOffs.h"

#include "core/print/DisplayPDF.h"
#include "ui/print/MailingLabels.h"
#include "ui/support/HandOffs.h"

void installPrintHandOffs() {
    HandOffs& h = handOffs();
    h.summaryReport = [](QWidget*) { DisplayPDF().PrintSummaryReport(); };
    h.mailingLabelSettings = [](QWidget* parent) { return MailingLabels::run(parent); };
    h.mailingLabelReport = [](QWidget*) { DisplayPDF().MailingLablesReport(); };
}
