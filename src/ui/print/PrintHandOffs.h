#pragma once

// Puts the two form print flows, the summary report, the label settings window and the mailing labels into the
// main window's hand-off table.
void installPrintHandOffs();
