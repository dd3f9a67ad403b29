// A new company database with its first payer, made the way the user makes it: the
// main window's create command runs the create dialog (name typed, Create pressed),
// opens the new file with the in-use mark and the login step, asks for the payer's
// name, looks through the other listed databases for that name (three are listed),
// stores the payer and its name in the database list, and shows it selected.
//
// Every figure is wall time: the user waits for the disk as well as the processor.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include "OffscreenMain.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

namespace {

class Setting {
public:
    Setting() {
        resetSession();
        session().ui = &ui_;
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        base_ = mkdtemp(pattern);
        auto dir = std::make_shared<TalvexaDir>();
        dir->SetBaseDir(base_ + "/");
        dir->SetYear(2025);
        // The tree made quietly: the first-run welcome is no part of the measure.
        for (const std::string& folder : {dir->GetConfigDir(), dir->GetAutoBackupsDir(), dir->GetReportsDir()})
            if (!platform::createDirectories(folder)) std::abort();
        session().configDir = dir;
        session().ControlledTempDir = dir->GetConfigDir();
        session().DBH = std::make_shared<DatabaseHolder>();
        if (!app()->Init(dir->GetConfigDir() + "/Talvexa_1099_2025.db", false)) std::abort();
        session().appDBReady = true;
        // Three other databases, each with a payer, for the check of the new payer's name.
        for (const char* name : {"Alpha", "Bravo", "Charlie"}) {
            const std::string path = dir->GetDir() + name + " 2025.db";
            CompanyDatabase db;
            if (!db.CreateNew(path, name, 2025)) std::abort();
            if (!db.Init(path, false, true, true, name)) std::abort();
            ComapnyInfo payer;
            payer.setName(std::string(name) + " Supply");
            if (!db.insertCompanyInfo(payer)) std::abort();
            db.Close();
            databaseInfo entry(name, path, 2025, false, "");
            entry.setCompanyName(payer.getName());
            if (!app()->InsertDatabaseInfo(entry)) std::abort();
        }
    }
    ~Setting() {
        session().DBH->companyDatabase()->Close();
        app()->Close();
        session().ui = nullptr;
        std::filesystem::remove_all(base_);
    }
    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    const std::string& base() const { return base_; }

private:
    QtUserInterface ui_;
    std::string base_;
};

void BM_CreateDatabaseWithItsFirstPayer(benchmark::State& state) {
    Setting setting;
    AppDelegate window;
    int made = 0;
    std::string name;
    setModalResponder([&](QWidget& w) {
        if (w.objectName() == QLatin1String("CreateDatabaseDialog")) {
            w.findChild<QLineEdit*>(QStringLiteral("Comp_Name"))->setText(QString::fromStdString(name));
            w.findChild<QPushButton*>(QStringLiteral("Createdatabse"))->click();
        } else if (w.objectName() == QLatin1String("NewCompanyFrame")) {
            w.findChild<QLineEdit*>(QStringLiteral("Comp_Name"))->setText(QString::fromStdString(name + " Payer"));
            w.findChild<QPushButton*>(QStringLiteral("CompName_OK"))->click();
        } else {
            std::abort();   // no other window belongs to the run
        }
    });
    for (auto _ : state) {
        name = "Bench Database " + std::to_string(++made);
        if (!window.CreateDatabase()) state.SkipWithError("the database was not made");
        state.PauseTiming();
        // The next run starts with nothing open, as after start-up.
        window.CloseDatabase(false, false);
        state.ResumeTiming();
    }
    setModalResponder({});
    window.CloseDatabase(false, false);
    state.counters["databases"] = made;
}
BENCHMARK(BM_CreateDatabaseWithItsFirstPayer)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv);
}
