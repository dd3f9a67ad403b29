// The new-year roll-over of a last-year file holding one payer with 50,000 or 100,000
// recipients of all kinds (a fifth of them without additional rows, one 1099-MISC in
// 18 with line 13, half of those sharing their number with a 1099-NEC), timed from the
// confirmation to the success message for each answer of the amounts question. Each
// run starts with no 2025 database and an empty list, in a process of its own, and
// reports its peak memory (peakMiB) beside its time.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "AnsweringUserInterface.h"
#include "LargeCompanyFile.h"
#include "OwnProcess.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"
#include "core/newyear/CloseYear.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"

namespace {

// Confirms everything; the amounts question is answered as set.
class Answers : public bench::AnsweringUserInterface {
public:
    int amounts = kAlertFirstButtonCode;
    int alert(const AlertRequest&) override { return amounts; }
};

// The folders and the last-year file of one size, made once by a process of their own;
// the folder goes when the benchmark ends.
class PriorFile {
public:
    explicit PriorFile(int recipients) {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        base_ = mkdtemp(pattern);
        TalvexaDir last;
        last.SetBaseDir(base_ + "/");
        last.SetYear(2024);
        prior = last.GetDir() + "Large 2024.db";
        const bool made = bench::inChildProcess([&] {
            if (!platform::createDirectories(last.GetDir())) return 1;
            CompanyDatabase db;
            if (!db.Init(prior, false, false, true, "Large")) return 1;
            bench::fillLargeCompanyFile(db, 1, recipients, recipients);
            if (!db.SetYear(2024) || !db.SetName("Large") ||
                !db.db->executeStatements(
                    "update recipients set line13 = '75.00' where type = 1 and pk % 18 = 0;"
                    "update recipients set taxID = (select r2.taxID from recipients r2 where r2.pk = recipients.pk + "
                    "5) where type = 1 and pk % 36 = 0;"
                    "delete from recipients_additionalinfo where pk % 5 = 0;"))
                return 1;
            db.Close();
            return 0;
        });
        if (!made) std::abort();
    }
    ~PriorFile() { std::filesystem::remove_all(base_); }

    // In the run's own process: the 2025 configuration with an empty list and no 2025
    // database, then the roll-over.
    bool prepare(Answers& ui) const {
        resetSession();
        session().ui = &ui;
        auto dir = std::make_shared<TalvexaDir>();
        dir->SetBaseDir(base_ + "/");
        dir->SetYear(2025);
        if (!platform::createDirectories(dir->GetConfigDir())) return false;
        session().configDir = dir;
        session().ControlledTempDir = dir->GetConfigDir();
        session().DBH = std::make_shared<DatabaseHolder>();
        auto app = session().DBH->appDatabase();
        if (!app->Init(dir->GetConfigDir() + "/Talvexa_1099_2025.db", false)) return false;
        platform::removePath(dir->GetDir() + "Payer 00 2025.db");
        for (const auto& e : app->SelectDatabaseList()) (void)app->DeleteDatabaseInfo(e);
        return true;
    }

    std::string prior;

private:
    std::string base_;
};

PriorFile& priorFile(int recipients) {
    static std::map<int, std::unique_ptr<PriorFile>> files;
    auto& file = files[recipients];
    if (!file) file = std::make_unique<PriorFile>(recipients);
    return *file;
}

void rollOver(benchmark::State& state, int amounts) {
    const int recipients = static_cast<int>(state.range(0));
    const PriorFile& file = priorFile(recipients);
    Answers ui;
    ui.amounts = amounts;
    bench::timeInOwnProcesses(
        state, [&] { return file.prepare(ui); },
        [&] {
            databaseInfo entry("Large", file.prior, 2024, false, "");
            return newyear::CloseYear(entry, {0});
        });
    state.counters["recipients"] = recipients;
}

void BM_NewYearKeepAmounts(benchmark::State& state) { rollOver(state, kAlertFirstButtonCode); }
void BM_NewYearClearAmounts(benchmark::State& state) { rollOver(state, kAlertSecondButtonCode); }

}  // namespace

BENCHMARK(BM_NewYearKeepAmounts)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_NewYearClearAmounts)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

BENCHMARK_MAIN();
