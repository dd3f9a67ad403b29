// The program's start from the main window on: the window made and shown, the recent
// database reopened with its payers listed, the update check started, the information
// window answered at once, the window drawn. Measured while the update server says
// nothing (the web site answers, the versions file never comes; or the server takes
// every connection and never answers), beside the same start with no update check.
// The check waits beside the window, so the start must not wait for it (< 1 s).
//
// Every figure is wall time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QAbstractButton>
#include <QApplication>

#include "OffscreenMain.h"
#include "TestHttpServer.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/update/Version.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/HandOffs.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

namespace {

enum Server { kNoCheck = 0, kVersionsNeverCome = 1, kServerSilent = 2 };

// A configuration database whose recent database is a company file with one payer.
class StartFiles {
public:
    StartFiles() {
        resetSession();
        session().ui = &ui_;
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        session().ControlledTempDir = folder_;
        session().DBH = std::make_shared<DatabaseHolder>();
        if (!session().DBH->appDatabase()->Init(folder_ + "/Talvexa_1099_2025.db", false)) std::abort();
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);
        const std::string path = folder_ + "/Acme 2025.db";
        auto company = session().DBH->companyDatabase();
        if (!company->Init(path, true, true, true, "Acme") || !company->SetName("Acme") || !company->SetYear(2025))
            std::abort();
        ComapnyInfo payer;
        payer.setName("Acme Supply Co");
        if (!company->insertCompanyInfo(payer)) std::abort();
        company->Close();
        if (!session().DBH->appDatabase()->SetRecentDatabaseInfo(databaseInfo("Acme", path, 2025, false, "")))
            std::abort();
        setModalResponder([](QWidget& window) {
            if (window.objectName() != QLatin1String("InformationDialog")) {
                std::fprintf(stderr, "unexpected window %s\n", window.objectName().toStdString().c_str());
                std::abort();
            }
            window.findChild<QAbstractButton*>(QStringLiteral("Continue_Button"))->click();
        });
    }
    ~StartFiles() {
        setModalResponder({});
        handOffs() = HandOffs{};
        session().DBH->companyDatabase()->Close();
        session().DBH->appDatabase()->Close();
        session().ui = nullptr;
        std::filesystem::remove_all(folder_);
    }

private:
    QtUserInterface ui_;
    std::string folder_;
};

StartFiles& startFiles() {
    static StartFiles files;
    return files;
}

void BM_StartUpToTheMainWindow(benchmark::State& state) {
    startFiles();
    const auto server = static_cast<Server>(state.range(0));
    TestHttpServer updateServer;
    setenv(kProductWebSiteVariable, updateServer.address().c_str(), 1);
    setenv(kUpdateServerVariable, updateServer.address().c_str(), 1);
    updateServer.answer("/", 200, "home page");
    updateServer.neverAnswer(kVersionsDatabasePath);
    updateServer.setSilent(server == kServerSilent);
    handOffs() = HandOffs{};
    if (server != kNoCheck)
        handOffs().launchUpdateCheck = [] { return prepareLaunchUpdateCheck(&Utils::CheckInternet); };

    auto company = session().DBH->companyDatabase();
    for (auto _ : state) {
        auto window = std::make_unique<AppDelegate>();
        window->resize(1040, 760);
        window->show();
        window->applicationDidFinishLaunching();
        window->repaint();
        QApplication::processEvents();

        state.PauseTiming();
        // The main window shows the database while the check still waits for the server.
        if (!company->IsReady()) std::abort();
        if (server != kNoCheck && !window->launchUpdateCheckRunning()) std::abort();
        window.reset();   // stops the waiting check
        company->Close();
        state.ResumeTiming();
    }
    handOffs() = HandOffs{};
}
BENCHMARK(BM_StartUpToTheMainWindow)
    ->Arg(kNoCheck)
    ->Arg(kVersionsNeverCome)
    ->Arg(kServerSilent)
    ->ArgName("server")
    ->UseRealTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv);
}
