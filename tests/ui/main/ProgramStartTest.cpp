#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "TempHome.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Startup.h"
#include "ui/UiTestHelpers.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

using uitest::press;

// A brand-new user's program start through the real windows: the welcome and folder
// set-up windows, then the main window with its information window.
TEST(ProgramStart, FirstRunEndsInTheMainWindow) {
    resetSession();
    TempHome home;
    QtUserInterface ui;
    session().ui = &ui;

    std::vector<std::string> windows;
    ScopedModalResponder responder([&](QWidget& w) {
        const std::string name = w.objectName().toStdString();
        windows.push_back(name);
        if (name == "WelcomeDialog") press(w, "Continue_Button");
        else if (name == "Configuration_Setup") press(w, "Finish_Button");
        else if (name == "tvMessageDialog") press(w, "Button3");
        else if (name == "InformationDialog") press(w, "Continue_Button");
        else ADD_FAILURE() << "unexpected window " << name;
    });
    ASSERT_TRUE(runStartup());
    {
        AppDelegate window;
        window.show();
        window.applicationDidFinishLaunching();
        EXPECT_EQ(windows.back(), "InformationDialog");
        EXPECT_EQ(windows.front(), "WelcomeDialog");
        EXPECT_EQ(company_Refer, &window);
        auto* line = window.findChild<QLabel*>(QStringLiteral("Db_name"));
        EXPECT_EQ(line->text().toStdString(), "Not Open");
        EXPECT_EQ(window.findChild<QPushButton*>(QStringLiteral("Context_B"))->text().toStdString(), "New Company");

        // Core code's request to refresh the main window reaches it.
        auto cdb = session().DBH->companyDatabase();
        ASSERT_TRUE(cdb->Init(home.file("Acme 2025.db"), true, true, true, "Acme"));
        ASSERT_TRUE(cdb->SetName("Acme"));
        ASSERT_TRUE(cdb->SetYear(2025));
        ui.refreshMainWindow();
        EXPECT_EQ(line->text().toStdString(), "Acme - 1099 Year 2025");
        cdb->Close();
    }
    EXPECT_EQ(company_Refer, nullptr);
    ui.refreshMainWindow();   // no main window: nothing to do
    resetSession();
}
