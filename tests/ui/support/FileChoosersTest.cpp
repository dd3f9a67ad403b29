#include <gtest/gtest.h>

#include <QFileDialog>

#include "TempHome.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"

TEST(FileChoosers, AnswersComeBackAsPlainPaths) {
    TempHome home;
    // Blanks, percent signs and other characters that URL text would escape.
    const std::string folder = home.file("My Data %20 #1 é");
    struct Case {
        const char* chooser;
        std::function<std::optional<std::string>()> run;
    } cases[] = {
        {kFolderChooserName, [&] { return chooseFolder(nullptr, "Choose a folder.", home.path()); }},
        {kOpenChooserName, [&] { return chooseOpenFile(nullptr, "Open", home.path(), "Text files (*.txt)"); }},
        {kSaveChooserName, [&] { return chooseSaveFile(nullptr, "Save", home.path(), "out.txt"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chooser);
        {
            ScopedModalResponder responder([&](QWidget& w) {
                EXPECT_EQ(w.objectName().toStdString(), c.chooser);
                EXPECT_NE(qobject_cast<QFileDialog*>(&w), nullptr);
                answerFileChooser(w, folder + "/");
            });
            EXPECT_EQ(c.run(), folder);
        }
        {
            ScopedModalResponder responder([](QWidget& w) { cancelFileChooser(w); });
            EXPECT_EQ(c.run(), std::nullopt);
        }
    }
}

TEST(FileChoosers, FolderChooserShowsFoldersOnly) {
    ScopedModalResponder responder([](QWidget& w) {
        auto& dialog = static_cast<QFileDialog&>(w);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(dialog.testOption(QFileDialog::ShowDirsOnly));
        EXPECT_TRUE(dialog.testOption(QFileDialog::ReadOnly));
        EXPECT_EQ(dialog.windowTitle(), "Choose a local directory.");
        cancelFileChooser(w);
    });
    chooseFolder(nullptr, "Choose a local directory.", "/");
}
