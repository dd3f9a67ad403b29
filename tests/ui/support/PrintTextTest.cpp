// A plain text printed through the print dialog into a PDF file, as the print preview
// prints the "Important Information" text: it takes the place of a file of that name
// whole, or the file stays as it was and the user is told why.

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <QPdfDocument>
#include <QPrintDialog>
#include <QPrinter>

#include "FileSizeLimit.h"
#include "Leftovers.h"
#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "platform/FileSystem.h"
#include "platform/ReplacementNotes.h"
#include "ui/PrintDialogAnswers.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"

namespace {

// The text of the PDF file's pages, one after the other.
std::string textOfPdf(const std::string& path) {
    QPdfDocument document;
    if (document.load(QString::fromStdString(path)) != QPdfDocument::Error::None) return {};
    std::string text;
    for (int page = 0; page < document.pageCount(); ++page) text += document.getAllText(page).text().toStdString();
    return text;
}

// On a full disk the text is not printed: the user is told the system's reason and the
// file there keeps every byte. With room, the text takes its place whole, over as many
// pages as it needs. Nothing is left beside the file, nor among the notes of unfinished
// writes, either way.
TEST(PrintText, APdfFileTakesTheTextWholeOrKeepsTheFileThere) {
    TempHome home;
    resetSession();
    ScriptedUserInterface scripted;
    const std::string folder = home.file("Documents");
    const std::string notes = home.file("config/Unfinished Writes");
    ASSERT_TRUE(platform::createDirectories(folder));
    ASSERT_TRUE(platform::createDirectories(home.file("config")));
    platform::setReplacementNotes({notes, {}, {}});
    const std::string file = folder + "/information.pdf";
    const std::string earlier = "Information printed earlier.";
    std::string text = "Important Information for Tax Year 2025\n";
    for (int line = 1; line <= 150; ++line) text += "\nLine " + std::to_string(line) + " of the information.";
    constexpr rlim_t kRoom = 8192;   // less than the text's document
    for (const bool full : {true, false}) {
        SCOPED_TRACE(full ? "a full disk" : "with room");
        ASSERT_TRUE(platform::writeFileAtomically(file, earlier));
        std::optional<FileSizeLimit> limit;
        ScopedModalResponder responder([&](QWidget& w) {
            ASSERT_EQ(w.objectName().toStdString(), "PrintDialog");
            printToFile(w, home.file("chosen.pdf"));
            auto& dialog = static_cast<QPrintDialog&>(w);
            dialog.accept();
            // The dialog has looked at its own name (it would ask before replacing a
            // file); the text goes here.
            dialog.printer()->setOutputFileName(QString::fromStdString(file));
            if (full) {
                ASSERT_TRUE(limit.emplace(kRoom).set());
            }
        });
        if (full) scripted.answerBox(kMessageAnswerOkYes);
        const bool printed = printText(nullptr, text);
        limit.reset();

        EXPECT_EQ(printed, !full);
        EXPECT_EQ(filesBelow(folder), std::vector<std::string>{file}) << "nothing left beside the file";
        EXPECT_EQ(filesBelow(notes), std::vector<std::string>{});
        std::string bytes;
        ASSERT_TRUE(platform::readFile(file, bytes));
        if (full) {
            ASSERT_EQ(scripted.boxes().size(), 1u);
            const MessageBoxRequest box = scripted.boxes()[0];
            EXPECT_EQ(box.caption, "The text could not be printed.");
            EXPECT_EQ(box.details, "Could not write \"" + file + "\": " + std::strerror(EFBIG) + ".");
            EXPECT_EQ(box.style, kMessageStyleOK);
            EXPECT_EQ(box.image, kMessageImageError);
            EXPECT_TRUE(bytes == earlier) << "the file there was replaced";
        } else {
            EXPECT_GT(bytes.size(), kRoom) << "the document fits in the room of the full disk";
            const std::string printedText = textOfPdf(file);
            EXPECT_NE(printedText.find("Important Information for Tax Year 2025"), std::string::npos);
            EXPECT_NE(printedText.find("Line 150 of the information."), std::string::npos);
        }
    }
    EXPECT_TRUE(scripted.allAnswersUsed());
    platform::setReplacementNotes({});
    resetSession();
}

}  // namespace
