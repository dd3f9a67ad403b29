#include "ui/support/MessageTextActions.h"

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PrintPreview.h"
#include "ui/support/tvMessageDialog.h"

void printMessageText(QWidget* parent, const std::string& text) {
    PrintPreview preview(parent);
    preview.setText_Content(text);
    runModal(&preview);
}

void copyMessageText(QWidget* parent, const std::string& text, CopiedAlertForm form,
                     const std::string& failureTitle) {
    if (copyTextToClipboard(text)) {
        showCopiedAlert(parent, form);
        return;
    }
    MessageBoxRequest failure;
    failure.caption = "Unable to copy message.";
    failure.details =
        "To resolve this issue, try to selecting some of this text and copying it using Ctrl+C to clear your "
        "clipboard of any recently copied pictures or files. Talvexa 1099 cannot use the clipboard if something "
        "other that text is currently on it.";
    failure.style = kMessageStyleOK;
    failure.title = failureTitle;
    failure.image = kMessageImageError;
    failure.flag = false;
    runMessageBox(failure);
}
