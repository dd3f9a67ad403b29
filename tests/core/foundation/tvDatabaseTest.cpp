#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/FormErrorList.h"
#include "core/foundation/Session.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/tvDatabase.h"
#include "platform/FileSystem.h"
#include "WithoutFileOverride.h"

namespace {

using Variant = MessageBoxRequest::Variant;

class MessageBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
    }
    void TearDown() override { EXPECT_TRUE(ui->allAnswersUsed()); }

    std::unique_ptr<ScriptedUserInterface> ui;
};

TEST_F(MessageBoxes, StandardBoxPassesEverythingAndReturnsTheCode) {
    ui->answerBox(16);
    EXPECT_EQ(tvDatabase::tvMessageBox("Delete the payer?", "All recipients go too.", 10, "Database Manager", 0x200, true), 16);
    ASSERT_EQ(ui->boxes().size(), 1u);
    const MessageBoxRequest r = ui->boxes()[0];
    EXPECT_EQ(r.variant, Variant::Plain);
    EXPECT_EQ(r.caption, "Delete the payer?");
    EXPECT_EQ(r.details, "All recipients go too.");
    EXPECT_EQ(r.style, 10);
    EXPECT_EQ(r.title, "Database Manager");
    EXPECT_EQ(r.image, 0x200);
    EXPECT_TRUE(r.flag);
    EXPECT_EQ(ui->refreshCount(), 0);
}

TEST_F(MessageBoxes, CheckBoxVariantCarriesTheStateBothWays) {
    struct C {
        bool before, answered;
    };
    for (const auto& c : std::vector<C>{{true, false}, {false, true}, {true, true}}) {
        ui->answerBox(2, c.answered);
        bool state = c.before;
        EXPECT_EQ(tvDatabase::tvMessageBox_1("Caption", "Details", &state, nullptr, 4, "", 0x100, false, false), 2);
        const MessageBoxRequest r = ui->boxes().back();
        EXPECT_EQ(r.variant, Variant::CheckBox);
        EXPECT_EQ(r.checkBoxState, c.before);
        EXPECT_FALSE(r.hideLink);
        EXPECT_EQ(state, c.answered);
    }
    ui->answerBox(1000);
    EXPECT_EQ(tvDatabase::tvMessageBox_1("Caption", "", nullptr, nullptr, 4, "", 0x100, true, false), 1000);
    EXPECT_FALSE(ui->boxes().back().checkBoxState);
}

TEST_F(MessageBoxes, NamedButtonsVariantRefreshesTheMainWindow) {
    ui->answerBox(2);
    ui->answerBox(16);
    EXPECT_EQ(tvDatabase::tvMessageBox_2("Update available", "Version 2", 10, "", 0x400, "Download", "Later", false, true), 2);
    EXPECT_EQ(ui->refreshCount(), 1);
    EXPECT_EQ(tvDatabase::tvMessageBox_2("Exit?", "", 10, "", 0x200, "Exit Talvexa 1099", "Stay", true, false), 16);
    EXPECT_EQ(ui->refreshCount(), 2);

    auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].variant, Variant::NamedButtons);
    EXPECT_EQ(boxes[0].button3Title, "Download");
    EXPECT_EQ(boxes[0].button2Title, "Later");
    EXPECT_TRUE(boxes[0].showPatchLink);
    EXPECT_EQ(boxes[0].linkTitle, "1099 Patch Page");
    EXPECT_EQ(boxes[0].linkAddress, std::string(kPatchPageAddress));
    EXPECT_NE(boxes[0].linkAddress.find("/1099-software/downloads"), std::string::npos);
    EXPECT_FALSE(boxes[1].showPatchLink);
    EXPECT_TRUE(boxes[1].linkAddress.empty());
    EXPECT_TRUE(boxes[1].flag);
}

TEST_F(MessageBoxes, NewMessageDialogShowsTheStandardBox) {
    ui->answerBox(2);
    tvDatabase::NewMessageDialog("Unable to restore from backup.", "Details", 4, "", 0x200, false);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].caption, "Unable to restore from backup.");
    EXPECT_EQ(ui->boxes()[0].image, 0x200);
}

TEST_F(MessageBoxes, DatabaseHelp) {
    const std::string ending = " Import Prior Year' from the 'File' menu.";
    struct C {
        std::string lead, title, caption, shownCaption;
    };
    for (const auto& c : std::vector<C>{{"", "Database Manager", "", "Important Database Information"},
                                        {"The database could not be found.", "", "Database Help", "Database Help"}}) {
        ui->answerBox(2);
        EXPECT_EQ(tvDatabase::ShowDatabaseHelp(c.lead, c.title, c.caption), 2);
        const MessageBoxRequest r = ui->boxes().back();
        EXPECT_EQ(r.caption, c.shownCaption);
        EXPECT_EQ(r.title, c.title);
        EXPECT_EQ(r.style, 4);
        EXPECT_EQ(r.image, 0x100);
        EXPECT_TRUE(r.flag);
        const std::string start = c.lead.empty() ? "TALVEXA 1099 COMPANY DATABASES:" : c.lead + "\n\nTALVEXA 1099";
        EXPECT_EQ(r.details.rfind(start, 0), 0u) << r.details.substr(0, 60);
        ASSERT_GE(r.details.size(), ending.size());
        EXPECT_EQ(r.details.substr(r.details.size() - ending.size()), ending);
        for (const char* part : {"TALVEXA DIRECTORY:", " DATABASE MANAGER:", "- Add Database to List", "- Locate Database",
                                 "- Find Databases", "- Rename Database", "- Move Database", "'Open Company'",
                                 "'Move Company'"})
            EXPECT_NE(r.details.find(part), std::string::npos) << part;
    }
}

TEST_F(MessageBoxes, ConfigurationSetup) {
    // Finished with a usable folder.
    ui->answerSetup(1234, "/home/user/Documents/");
    bool done = false;
    EXPECT_EQ(tvDatabase::ConfigurationSetup_Box(nullptr, &done), "/home/user/Documents/");
    EXPECT_TRUE(done);
    EXPECT_TRUE(ui->boxes().empty());

    // Finished with a folder that may not be written.
    ui->answerSetup(1000, "/srv/locked/");
    ui->answerBox(2);
    done = false;
    EXPECT_EQ(tvDatabase::ConfigurationSetup_Box(nullptr, &done), "");
    EXPECT_FALSE(done);
    ASSERT_EQ(ui->boxes().size(), 1u);
    const MessageBoxRequest r = ui->boxes()[0];
    EXPECT_EQ(r.caption, "Unable to use selected directory.");
    EXPECT_EQ(r.details,
              "You do not have Read & Write permissions for the selected directory. Please choose a different "
              "directory or have a system administrator provide you with Read & Write access for the following "
              "directory:\n\n    /srv/locked/");
    EXPECT_EQ(r.style, 10);
    EXPECT_EQ(r.image, 512);

    // Cancelled and stayed.
    ui->answerSetup(2000, "");
    EXPECT_EQ(tvDatabase::ConfigurationSetup_Box(nullptr, &done), "");
    EXPECT_FALSE(done);
    EXPECT_EQ(ui->boxes().size(), 1u);
}

TEST_F(MessageBoxes, ValidationErrorList) {
    const std::vector<std::string> errors = {"Zip: Must be of form XXXXX or XXXXX-XXXX.", "State: Invalid.",
                                             "Box 1: Invalid amount."};
    ui->answerFormErrors(true);
    ui->answerFormErrors(false);
    EXPECT_TRUE(showFormErrors(errors));
    EXPECT_FALSE(showFormErrors(errors));
    ASSERT_EQ(ui->shown().size(), 2u);
    EXPECT_EQ(ui->shown()[0].window, "formErrors");
    EXPECT_EQ(ui->shown()[0].errors, errors);
    EXPECT_EQ(formErrorsText(errors),
              "Zip: Must be of form XXXXX or XXXXX-XXXX.\nState: Invalid.\nBox 1: Invalid amount.\n");
    EXPECT_EQ(formErrorsText({}), "");
}

// ---- scrambling ----

class Scrambling : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

TEST_F(Scrambling, KnownTexts) {
    struct C {
        std::string plain, hex;
    };
    for (const auto& c : std::vector<C>{{"", ""},
                                        {"123456789", "59425B645D46675069"},
                                        {"12-3456789", "594245635C45665F6859"},
                                        {"Harbour", "20111A32070522"},
                                        // the 16th character uses the key of the 1st again
                                        {"ABCDEFGHIJKLMNOP", "29322B142D361720192A233C2D367738"},
                                        {"\u00e9", "ABD9"}}) {
        EXPECT_EQ(tvDatabase::Encrypt(c.plain), c.hex) << c.plain;
        EXPECT_EQ(tvDatabase::Decrypt(c.hex), c.plain) << c.hex;
    }
}

TEST_F(Scrambling, RoundTrip) {
    std::string ascii;
    for (char c = 32; c < 127; ++c) ascii.push_back(c);
    for (const std::string& plain : {ascii, std::string("Jos\u00e9 N\u00fa\u00f1ez \u4e2d\u6587 \U0001F600"),
                                     std::string("pass word 123-45-6789")}) {
        std::string hex = tvDatabase::Encrypt(plain);
        EXPECT_EQ(hex.size(), plain.size() * 2);
        EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        EXPECT_EQ(tvDatabase::Decrypt(hex), plain);
    }
}

TEST_F(Scrambling, MalformedStoredText) {
    EXPECT_EQ(tvDatabase::Decrypt("A"), "");
    EXPECT_EQ(tvDatabase::Decrypt("59425"), "12");  // a trailing odd character is ignored
    // Lower case and other characters are not the stored form: they read as "FF".
    EXPECT_EQ(tvDatabase::Decrypt("ab"), tvDatabase::Decrypt("FF"));
    EXPECT_EQ(tvDatabase::Decrypt("zz"), tvDatabase::Decrypt("FF"));
    EXPECT_FALSE(tvDatabase::Decrypt("FF").empty());

    for (int64_t v : {int64_t(0), int64_t(-1), int64_t(123456789), INT64_MAX, INT64_MIN})
        EXPECT_EQ(tvDatabase::Decrypt_long(tvDatabase::Encrypt_long(v)), v);
    EXPECT_NE(tvDatabase::Encrypt_long(42), 42);
}

TEST_F(Scrambling, StoredFlags) {
    EXPECT_FALSE(tvDatabase::intToBool(0));
    EXPECT_FALSE(tvDatabase::intToBool(-1));
    EXPECT_TRUE(tvDatabase::intToBool(2));
    EXPECT_EQ(tvDatabase::boolToInt(true), 1);
    EXPECT_EQ(tvDatabase::boolToInt(false), 0);
}

// ---- file access ----

class FileAccess : public MessageBoxes {
protected:
    TempHome home;
};

TEST_F(FileAccess, AdviceText) {
    EXPECT_EQ(tvDatabase::accessAdviceText("/data/Talvexa/Acme 2025.db", "Unable to access the database file."),
              "Unable to access the database file.\n\nTo resolve this issue, please have a system administrator "
              "provide you with Read & Write access for the following directory and all of its contents:\n\n"
              "    /data/Talvexa\n\nand the following file:\n\n    /data/Talvexa/Acme 2025.db");
    EXPECT_EQ(tvDatabase::accessAdviceText("/Acme.db", ""),
              "To resolve this issue, please have a system administrator provide you with Read & Write access for "
              "the following directory and all of its contents:\n\n    /\n\nand the following file:\n\n    /Acme.db");
}

TEST_F(FileAccess, ExistingOrMissingFilesPass) {
    const std::string file = home.file("Acme 2025.db");
    ASSERT_TRUE(platform::writeFileAtomically(file, "x"));
    for (const std::string& path : {file, home.file("missing.db"), home.path()}) {
        EXPECT_TRUE(tvDatabase::CanAccessFile(path, true, "Unable to access the selected database.", "")) << path;
        EXPECT_TRUE(tvDatabase::CanCreateFile(path, true, "Unable to access the selected database.", "")) << path;
    }
    EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(FileAccess, ReadOnlyFileIsRefusedWithAdvice) {
    const std::string file = home.file("Acme 2025.db");
    ASSERT_TRUE(platform::writeFileAtomically(file, "x"));
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    WithoutFileOverride plainUser;
    ASSERT_NE(access(file.c_str(), W_OK), 0);

    // Without a headline, or without show-message, the caller composes its own message.
    EXPECT_FALSE(tvDatabase::CanAccessFile(file, true, "", "Lead"));
    EXPECT_FALSE(tvDatabase::CanAccessFile(file, false, "Unable to restore from backup.", ""));
    EXPECT_TRUE(ui->boxes().empty());

    ui->answerBox(2);
    EXPECT_FALSE(tvDatabase::CanCreateFile(file, true, "Unable to start new year", "Unable to access the database file."));
    ASSERT_EQ(ui->boxes().size(), 1u);
    const MessageBoxRequest r = ui->boxes()[0];
    const std::string advice = tvDatabase::accessAdviceText(file, "Unable to access the database file.");
    EXPECT_EQ(r.caption, advice);
    EXPECT_EQ(r.title, advice);
    EXPECT_EQ(r.details, "Unable to start new year");
    EXPECT_EQ(r.style, 4);
    EXPECT_EQ(r.image, 0x200);
    EXPECT_FALSE(r.flag);
}

// A writable file in a folder that takes no new files would open and then fail at its
// first write (SQLite's journal goes beside it): it gets the same advice.
TEST_F(FileAccess, FileInAReadOnlyFolderIsRefusedWithAdvice) {
    const std::string folder = home.file("Locked");
    ASSERT_TRUE(platform::createDirectories(folder));
    const std::string file = folder + "/Acme 2025.db";
    ASSERT_TRUE(platform::writeFileAtomically(file, "x"));
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    WithoutFileOverride plainUser;
    ASSERT_NE(access(folder.c_str(), W_OK), 0);
    ui->answerBox(2);
    const bool allowed = tvDatabase::CanAccessFile(file, true, "Unable to access the selected database.", "");
    chmod(folder.c_str(), 0755);
    EXPECT_FALSE(allowed);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].caption, tvDatabase::accessAdviceText(file, ""));
    EXPECT_EQ(ui->boxes()[0].details, "Unable to access the selected database.");
}

}  // namespace
