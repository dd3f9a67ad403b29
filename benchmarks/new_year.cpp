// The new-year roll-over of a last-year file holding one payer with 50,000 recipients
// of all kinds (a fifth of them without additional rows, 2,778 1099-MISC with line 13,
// half of those sharing their number with a 1099-NEC), timed from the confirmation to
// the success message for each answer of the amounts question. Each run starts with no
// 2025 database and an empty list.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "AnsweringUserInterface.h"
#include "LargeCompanyFile.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"
#include "core/newyear/CloseYear.h"
#include "core/store/CompanyDatabase.h"
#include "platform/FileSystem.h"

namespace {

// Confirms everything; the amounts question is answered as set.
class Answers : public bench::AnsweringUserInterface {
public:
    int amounts = kAlertFirstButtonCode;
    int alert(const AlertRequest&) override { return amounts; }
};

class Fixture {
public:
    Fixture() {
        resetSession();
        session().ui = &ui;
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        base = mkdtemp(pattern);
        auto dir = std::make_shared<TalvexaDir>();
        dir->SetBaseDir(base + "/");
        dir->SetYear(2025);
        if (!platform::createDirectories(dir->GetConfigDir())) std::abort();
        session().configDir = dir;
        session().ControlledTempDir = dir->GetConfigDir();
        session().DBH = std::make_shared<DatabaseHolder>();
        if (!session().DBH->appDatabase()->Init(dir->GetConfigDir() + "/Talvexa_1099_2025.db", false)) std::abort();
        TalvexaDir last;
        last.SetBaseDir(dir->dir());
        last.SetYear(2024);
        if (!platform::createDirectories(last.GetDir())) std::abort();
        prior = last.GetDir() + "Large 2024.db";
        CompanyDatabase db;
        if (!db.Init(prior, false, false, true, "Large")) std::abort();
        bench::fillLargeCompanyFile(db, 1, bench::kRecipients, bench::kRecipients);
        if (!db.SetYear(2024) || !db.SetName("Large") ||
            !db.db->executeStatements(
                "update recipients set line13 = '75.00' where type = 1 and pk % 18 = 0;"
                "update recipients set taxID = (select r2.taxID from recipients r2 where r2.pk = recipients.pk + 5) "
                "where type = 1 and pk % 36 = 0;"
                "delete from recipients_additionalinfo where pk % 5 = 0;"))
            std::abort();
        db.Close();
        target = dir->GetDir() + "Payer 00 2025.db";
    }
    ~Fixture() {
        session().DBH->appDatabase()->Close();
        session().ui = nullptr;
        resetSession();
        std::filesystem::remove_all(base);   // the runs leave nothing behind
    }

    void clear() {
        platform::removePath(target);
        auto app = session().DBH->appDatabase();
        for (const auto& e : app->SelectDatabaseList()) (void)app->DeleteDatabaseInfo(e);
    }

    Answers ui;
    std::string base;
    std::string prior;
    std::string target;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void rollOver(benchmark::State& state, int amounts) {
    Fixture& f = fixture();
    f.ui.amounts = amounts;
    for (auto _ : state) {
        state.PauseTiming();
        f.clear();
        databaseInfo entry("Large", f.prior, 2024, false, "");
        state.ResumeTiming();
        if (!newyear::CloseYear(entry, {0})) state.SkipWithError("the roll-over stopped");
    }
    bench::reportPeakMemory(state);
}

void BM_NewYearKeepAmounts(benchmark::State& state) { rollOver(state, kAlertFirstButtonCode); }
void BM_NewYearClearAmounts(benchmark::State& state) { rollOver(state, kAlertSecondButtonCode); }

}  // namespace

BENCHMARK(BM_NewYearKeepAmounts)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NewYearClearAmounts)->Unit(benchmark::kMillisecond)->Iterations(3);

BENCHMARK_MAIN();
