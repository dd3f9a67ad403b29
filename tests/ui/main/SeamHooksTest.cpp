// The seam's main-window hooks, as core code (imports, new year, updates) uses them.

#include "MainWindowFixture.h"
#include "ui/support/QtUserInterface.h"

TEST_F(MainWindowTest, TheSeamClosesAndReopensTheMainWindowsDatabase) {
    openDatabase("Acme");
    addPayer("Acme Payer");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(databaseInfo("Acme", cdb()->GetPath(), 2025, false, "")));
    showDatabase();
    ASSERT_TRUE(item("Closedb")->isEnabled());

    QtUserInterface ui;
    EXPECT_TRUE(ui.closeDatabase(false, false));
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_FALSE(item("Closedb")->isEnabled());

    EXPECT_TRUE(ui.openRecentDatabase());
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_EQ(companyRows(), std::vector<std::string>{"Acme Payer"});
    // Already open: nothing to do.
    EXPECT_TRUE(ui.openRecentDatabase());
}
