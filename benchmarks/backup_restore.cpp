// Backing up and restoring a company file of 20 payers and 50,000 recipients, with the
// checks of both: the backup from the chosen destination to the reopened database
// (close, copy, quick check of the copy, reopen), the restore from the chosen file to
// the replaced file (checks of the chosen file, scratch copy and its upgrade, copy
// beside the open database, its check, the rename, the reopen and the final close).
// The windows answer at once.

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "AnsweringUserInterface.h"
#include "LargeCompanyFile.h"
#include "core/admin/DatabaseBackup.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"
#include "platform/NetworkStatus.h"
#include "platform/SystemLog.h"

namespace {

// The main window's part, as the program's own window layer plays it, with every
// chooser answered by the paths of the run.
class BackupAnswers : public bench::AnsweringUserInterface {
public:
    std::string saveTo, restoreFrom;

    MessageBoxResult messageBox(const MessageBoxRequest& r) override {
        // "Back up first?" is answered No; everything else with its affirmative button.
        if (r.style == kMessageStyleYesNo) return MessageBoxResult{kMessageAnswerNo, false};
        if (r.caption != "Successfully created backup.") {
            std::fprintf(stderr, "unexpected box: %s %s\n", r.caption.c_str(), r.details.c_str());
            std::abort();
        }
        return MessageBoxResult{kMessageAnswerOkYes, false};
    }
    std::optional<std::string> chooseSaveFile(const SaveFileRequest&) override { return saveTo; }
    std::optional<std::string> chooseOpenFile(const OpenFileRequest&) override { return restoreFrom; }
    bool closeDatabase(bool, bool) override {
        auto company = session().DBH->companyDatabase();
        if (company->IsReady()) {
            company->SetInUse(0);
            company->Close();
        }
        return true;
    }
    bool openRecentDatabase() override {
        auto recent = session().DBH->appDatabase()->GetRecentDatabaseInfo();
        auto company = session().DBH->companyDatabase();
        if (!recent) return false;
        if (company->IsReady() && company->GetPath() == recent->path()) return true;
        return company->Init(recent->path(), true, true, true, recent->name());
    }
};

class BackupSetting {
public:
    BackupSetting() {
        std::string tmpl = "/tmp/talvexa-bench-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        folder_ = tmpl;
        resetSession();
        platform::setLogSink([](const std::string&) {});
        setenv(platform::kNetworkStatusVariable, "down", 1);
        Session& s = session();
        s.ui = &answers;
        auto dir = std::make_shared<TalvexaDir>();
        dir->SetBaseDir(folder_ + "/");
        dir->SetYear(2025);
        for (const std::string& f : {dir->GetConfigDir(), dir->GetBackupsDir()})
            if (!platform::createDirectories(f)) std::abort();
        s.configDir = dir;
        s.ControlledTempDir = dir->GetConfigDir();
        s.DBH = std::make_shared<DatabaseHolder>();
        if (!s.DBH->appDatabase()->Init(dir->GetConfigDir() + "/Talvexa_1099_2025.db", true)) std::abort();
        s.appDBReady = true;

        path_ = dir->GetDir() + "Bench 2025.db";
        {
            CompanyDatabase db;
            if (!db.Init(path_, false, true, true, "Bench")) std::abort();
            if (!db.SetName("Bench") || !db.SetYear(2025)) std::abort();
            bench::fillLargeCompanyFile(db);
            db.Close();
        }
        databaseInfo entry;
        entry.setName("Bench");
        entry.setPath(path_);
        entry.setYear(2025);
        if (!s.DBH->appDatabase()->InsertDatabaseInfo(entry) || !s.DBH->appDatabase()->SetRecentDatabaseInfo(entry))
            std::abort();
        backup_ = dir->GetBackupsDir() + "/Bench 2025 Backup.db";
        answers.saveTo = backup_;
        answers.restoreFrom = backup_;
    }
    ~BackupSetting() {
        auto company = session().DBH->companyDatabase();
        if (company->IsReady()) company->Close();
        session().DBH->appDatabase()->Close();
        session().ui = nullptr;
        resetSession();
        platform::setLogSink({});
        platform::removePath(folder_);
    }
    void openDatabase() {
        if (!answers.openRecentDatabase()) std::abort();
    }
    const std::string& path() const { return path_; }
    const std::string& backup() const { return backup_; }

    BackupAnswers answers;

private:
    std::string folder_, path_, backup_;
};

double fileSize(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) : -1;
}

void BM_BackupLargeCompanyFile(benchmark::State& state) {
    BackupSetting setting;
    setting.openDatabase();
    for (auto _ : state) {
        DatabaseBackup flow;
        if (flow.OnBackup() != DatabaseBackup::BackupResult::made) state.SkipWithError("no backup");
    }
    state.counters["file_bytes"] = fileSize(setting.backup());
}
BENCHMARK(BM_BackupLargeCompanyFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RestoreLargeCompanyFile(benchmark::State& state) {
    BackupSetting setting;
    setting.openDatabase();
    {
        DatabaseBackup flow;
        if (flow.OnBackup() != DatabaseBackup::BackupResult::made) std::abort();
    }
    for (auto _ : state) {
        state.PauseTiming();
        setting.openDatabase();   // a restore leaves no database open
        state.ResumeTiming();
        DatabaseBackup flow;
        if (flow.RestoreDatabase() != DatabaseBackup::RestoreResult::restored) state.SkipWithError("not restored");
    }
    state.counters["file_bytes"] = fileSize(setting.path());
}
BENCHMARK(BM_RestoreLargeCompanyFile)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
