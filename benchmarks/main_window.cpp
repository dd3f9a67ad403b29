// The main window over large company files of 50,000 and 200,000 recipients (20
// payers, the first holding 5,000): opening a file through the window's own open path
// (schema check, recent-file row, login step, lists), selecting the large payer,
// clicking away to no payer, switching payers; beside them the raw SQLite cost of the
// statements a redraw runs, on the same file.
//
// Every figure is wall time: the user waits for the disk as well as the processor.
//
// The FullFile benchmarks use the real-size file (bench::fillFullCompanyFile: 200,000
// recipients with addresses and every amount, larger than the program's page cache) and
// click its smallest payer (5,000 recipients, row 0) and one of its largest (about
// 10,300 spread over the whole file, row 1),
// warm and, right after opening, with the file dropped from the system's cache. Run
// BM_FullFileSelectAll in a process of its own (--benchmark_filter) to read its peak
// memory.

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>

#include "OffscreenMain.h"
#include "LargeCompanyFile.h"
#include "OwnProcess.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/QtUserInterface.h"

namespace {

using bench::kRecipientsOfFirstPayer;

// One configuration database and one company file per size, made on first use.
class LargeCompanyFiles {
public:
    LargeCompanyFiles() {
        resetSession();
        session().ui = &ui_;
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        session().DBH = std::make_shared<DatabaseHolder>();
        if (!session().DBH->appDatabase()->Init(folder_ + "/Talvexa_1099_2025.db", false)) std::abort();
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);
    }
    ~LargeCompanyFiles() {
        session().DBH->companyDatabase()->Close();
        session().DBH->appDatabase()->Close();
        session().ui = nullptr;
        std::filesystem::remove_all(folder_);
    }

    // The real-size file, made on first use.
    databaseInfo fullEntry() {
        if (!full_.path().empty()) return full_;
        const std::string path = folder_ + "/Full 2025.db";
        // Made by a process of its own, so that this one's peak memory is the window's.
        const bool made = bench::inChildProcess([&] {
            CompanyDatabase db;
            if (!db.Init(path, false, true, true, "Full")) return 1;
            bench::fillFullCompanyFile(db);
            db.Close();
            return 0;
        });
        if (!made) std::abort();
        full_.setPath(path);
        full_.setName("Full");
        full_.setYear(2025);
        return full_;
    }

    databaseInfo entry(int recipients) {
        auto found = files_.find(recipients);
        if (found != files_.end()) return found->second;
        const std::string path = folder_ + "/Large " + std::to_string(recipients) + " 2025.db";
        {
            CompanyDatabase db;
            if (!db.Init(path, false, true, true, "Large")) std::abort();
            bench::fillLargeCompanyFile(db, bench::kPayers, recipients);
            db.Close();
        }
        databaseInfo info;
        info.setPath(path);
        info.setName("Large " + std::to_string(recipients));
        info.setYear(2025);
        return files_[recipients] = info;
    }

private:
    QtUserInterface ui_;
    std::string folder_;
    std::map<int, databaseInfo> files_;
    databaseInfo full_;
};

LargeCompanyFiles& largeFiles() {
    static LargeCompanyFiles files;
    return files;
}

// Selects rows as a click does, so the window's own selection handling runs.
void userSelect(QTableView* table, const std::vector<int>& rows) {
    QItemSelection selection;
    for (int row : rows) selection.select(table->model()->index(row, 0), table->model()->index(row, 0));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// A main window with the listed file open through the window's own path.
std::unique_ptr<AppDelegate> windowWithEntry(const databaseInfo& entry) {
    session().DBH->companyDatabase()->Close();
    auto window = std::make_unique<AppDelegate>();
    window->resize(1040, 760);
    window->show();
    if (!window->OpenDatabase(entry, -1, false)) std::abort();
    window->repaint();
    return window;
}

// A main window with the file of the given size open.
std::unique_ptr<AppDelegate> windowWithFile(int recipients) { return windowWithEntry(largeFiles().entry(recipients)); }

QTableView* table(AppDelegate& window, const char* name) {
    return window.findChild<QTableView*>(QString::fromLatin1(name));
}

void BM_OpenIntoMainWindow(benchmark::State& state) {
    const int recipients = static_cast<int>(state.range(0));
    const databaseInfo entry = largeFiles().entry(recipients);
    auto window = windowWithFile(recipients);
    // The payer selected when the file was closed is selected again, and its 5,000
    // recipients drawn, as a user returning to work sees it.
    userSelect(table(*window, "Company_Sel"), {0});
    for (auto _ : state) {
        state.PauseTiming();
        if (!window->CloseDatabase(false, false)) std::abort();
        window->repaint();
        state.ResumeTiming();
        if (!window->OpenDatabase(entry, -1, false)) std::abort();
        window->repaint();
    }
}
BENCHMARK(BM_OpenIntoMainWindow)->Arg(bench::kRecipients)->Arg(bench::kRecipientsLarge)->UseRealTime()
    ->Iterations(40)->Unit(benchmark::kMillisecond);

void BM_SelectPayerWith5000Recipients(benchmark::State& state) {
    auto window = windowWithFile(static_cast<int>(state.range(0)));
    QTableView* payers = table(*window, "Company_Sel");
    QTableView* recipients = table(*window, "Recipient_sel");
    for (auto _ : state) {
        userSelect(payers, {0});
        recipients->viewport()->repaint();

        state.PauseTiming();
        if (window->Recvec().size() != static_cast<size_t>(kRecipientsOfFirstPayer)) std::abort();
        userSelect(payers, {});
        state.ResumeTiming();
    }
    state.counters["rows"] = kRecipientsOfFirstPayer;
}
BENCHMARK(BM_SelectPayerWith5000Recipients)->Arg(bench::kRecipients)->Arg(bench::kRecipientsLarge)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The first click on the payer after the file was opened: SQLite's page cache of the new
// connection is empty, so every page of the scan comes from the system again.
void BM_FirstSelectAfterOpening(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const databaseInfo entry = largeFiles().entry(size);
    auto window = windowWithFile(size);
    QTableView* payers = table(*window, "Company_Sel");
    QTableView* recipients = table(*window, "Recipient_sel");
    for (auto _ : state) {
        state.PauseTiming();
        userSelect(payers, {});   // closed with no payer selected, so the open draws no list
        if (!window->CloseDatabase(false, false)) std::abort();
        if (!window->OpenDatabase(entry, -1, false)) std::abort();
        userSelect(payers, {});
        window->repaint();
        state.ResumeTiming();

        userSelect(payers, {0});
        recipients->viewport()->repaint();

        state.PauseTiming();
        if (window->Recvec().size() != static_cast<size_t>(kRecipientsOfFirstPayer)) std::abort();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstSelectAfterOpening)->Arg(bench::kRecipients)->Arg(bench::kRecipientsLarge)->UseRealTime()
    ->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_ClickAwayToNoPayer(benchmark::State& state) {
    auto window = windowWithFile(static_cast<int>(state.range(0)));
    QTableView* payers = table(*window, "Company_Sel");
    QTableView* recipients = table(*window, "Recipient_sel");
    for (auto _ : state) {
        state.PauseTiming();
        userSelect(payers, {0});
        recipients->viewport()->repaint();
        state.ResumeTiming();

        userSelect(payers, {});
        recipients->viewport()->repaint();
    }
}
// The selection it clicks away from is made outside the timing, so the run is kept
// to a fixed number of clicks.
BENCHMARK(BM_ClickAwayToNoPayer)->Arg(bench::kRecipients)->Arg(bench::kRecipientsLarge)->UseRealTime()
    ->Iterations(40)->Unit(benchmark::kMillisecond);

// Switching from the large payer to a neighbour and back.
void BM_SwitchBetweenPayers(benchmark::State& state) {
    auto window = windowWithFile(static_cast<int>(state.range(0)));
    QTableView* payers = table(*window, "Company_Sel");
    QTableView* recipients = table(*window, "Recipient_sel");
    int row = 0;
    for (auto _ : state) {
        row = row == 0 ? 1 : 0;
        userSelect(payers, {row});
        recipients->viewport()->repaint();
    }
}
BENCHMARK(BM_SwitchBetweenPayers)->Arg(bench::kRecipients)->Arg(bench::kRecipientsLarge)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// ---- the real-size file ----

size_t fullPayerSize(int row) {
    return static_cast<size_t>(bench::fullFileRecipientsOf(row));
}

// A click on the payer with its list drawn, the file's pages already read.
void BM_FullFileClickPayer(benchmark::State& state) {
    const int row = static_cast<int>(state.range(0));
    auto window = windowWithEntry(largeFiles().fullEntry());
    QTableView* payers = table(*window, "Company_Sel");
    QTableView* recipients = table(*window, "Recipient_sel");
    userSelect(payers, {row});   // once before the timing: the pages are read
    userSelect(payers, {});
    for (auto _ : state) {
        userSelect(payers, {row});
        recipients->viewport()->repaint();

        state.PauseTiming();
        if (window->Recvec().size() != fullPayerSize(row)) std::abort();
        userSelect(payers, {});
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(fullPayerSize(row));
}
BENCHMARK(BM_FullFileClickPayer)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

// The first click after opening, with the file out of the system's cache as after a
// restart: every page the click needs comes from the disk.
void BM_FullFileFirstClick(benchmark::State& state) {
    const int row = static_cast<int>(state.range(0));
    const databaseInfo entry = largeFiles().fullEntry();
    auto window = windowWithEntry(entry);
    QTableView* payers = table(*window, "Company_Sel");
    QTableView* recipients = table(*window, "Recipient_sel");
    for (auto _ : state) {
        state.PauseTiming();
        userSelect(payers, {});
        if (!window->CloseDatabase(false, false)) std::abort();
        bench::dropFromSystemCache(entry.path());
        if (!window->OpenDatabase(entry, -1, false)) std::abort();
        userSelect(payers, {});
        window->repaint();
        state.ResumeTiming();

        userSelect(payers, {row});
        recipients->viewport()->repaint();

        state.PauseTiming();
        if (window->Recvec().size() != fullPayerSize(row)) std::abort();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FullFileFirstClick)->Arg(0)->Arg(1)->UseRealTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// Every payer selected, then every one of the 200,000 recipients in the list, again and
// again: firstPeak_MiB is the peak after the first time, secondPeak_MiB after the second,
// peak_MiB after the last (a second list read while the first is still held would show
// as the difference).
void BM_FullFileSelectAll(benchmark::State& state) {
    auto window = windowWithEntry(largeFiles().fullEntry());
    QTableView* payers = table(*window, "Company_Sel");
    QTableView* recipients = table(*window, "Recipient_sel");
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        userSelect(payers, {});
        recipients->viewport()->repaint();
        state.ResumeTiming();

        payers->selectAll();
        recipients->selectAll();
        recipients->viewport()->repaint();

        state.PauseTiming();
        if (window->Recvec().size() != static_cast<size_t>(bench::kRecipientsLarge) ||
            session().recp_details->selectedRecipients().size() != static_cast<size_t>(bench::kRecipientsLarge))
            std::abort();
        if (round == 0) state.counters["firstPeak_MiB"] = bench::peakMemoryMiB();
        if (round == 1) state.counters["secondPeak_MiB"] = bench::peakMemoryMiB();
        ++round;
        state.ResumeTiming();
    }
    bench::reportPeakMemory(state);
}
BENCHMARK(BM_FullFileSelectAll)->UseRealTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// ---- the same statements straight through SQLite, on the same files ----

struct RawConnection {
    explicit RawConnection(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) std::abort();
        // The same page cache as the program's own company connections.
        if (sqlite3_exec(db, "pragma cache_size = -65536;", nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
    }
    ~RawConnection() { sqlite3_close(db); }
    // Steps the statement to its end; the number of rows and a checksum of the first column.
    int64_t run(const char* sql, int payer) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) std::abort();
        for (int i = 1; i <= sqlite3_bind_parameter_count(stmt); ++i) {
            if (i == sqlite3_bind_parameter_count(stmt))
                sqlite3_bind_int(stmt, i, payer);
            else
                sqlite3_bind_text(stmt, i, "%%", -1, SQLITE_STATIC);
        }
        int64_t rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) benchmark::DoNotOptimize(sqlite3_column_text(stmt, c));
            ++rows;
        }
        sqlite3_finalize(stmt);
        return rows;
    }
    sqlite3* db = nullptr;
};

const char kRawCount[] =
    "select count(*) from recipients where ((lastName like ?) or (firstName like ?)) and (company_FK = ?);";
const char kRawJoined[] =
    "SELECT r.company_FK, r.pk, r.type, r.validated, r.printed, r.completed,r.corrected, r.void, rai.name_type, "
    "r.firstName, r.lastName, rai.lastname_surname FROM recipients r JOIN recipients_additionalinfo rai ON r.pk = "
    "rai.pk WHERE (r.lastName LIKE ? OR r.firstName LIKE ? OR rai.lastname_surname LIKE ?) and (r.company_FK = ?) "
    "ORDER BY rai.lastname_surname COLLATE NOCASE ASC, r.firstName COLLATE NOCASE ASC, r.lastName COLLATE NOCASE "
    "ASC";
// The one scan the schema forces: there is no index on the payer column.
const char kRawScan[] = "select count(*) from recipients where company_FK = ?;";

void BM_RawRedrawStatements(benchmark::State& state) {
    RawConnection raw(largeFiles().entry(static_cast<int>(state.range(0))).path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(raw.run(kRawCount, 0));
        if (raw.run(kRawJoined, 0) != kRecipientsOfFirstPayer) std::abort();
    }
}
BENCHMARK(BM_RawRedrawStatements)->Arg(bench::kRecipients)->Arg(bench::kRecipientsLarge)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_RawPayerColumnScan(benchmark::State& state) {
    RawConnection raw(largeFiles().entry(static_cast<int>(state.range(0))).path());
    for (auto _ : state) benchmark::DoNotOptimize(raw.run(kRawScan, 0));
}
BENCHMARK(BM_RawPayerColumnScan)->Arg(bench::kRecipients)->Arg(bench::kRecipientsLarge)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv);
}
