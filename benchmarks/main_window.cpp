// The main window over a large company file: 20 payers and 50,000 recipients, the
// first payer holding 5,000 of them. Opening the file into the window, and selecting
// that payer until its recipient list is drawn again.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QItemSelectionModel>
#include <QTableView>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "ui/main/AppDelegate.h"
#include "LargeCompanyFile.h"
#include "ui/support/QtUserInterface.h"

namespace {

using bench::kRecipientsOfFirstPayer;

class LargeCompanyFile {
public:
    LargeCompanyFile() {
        resetSession();
        session().ui = &ui_;
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        session().DBH = std::make_shared<DatabaseHolder>();
        if (!session().DBH->appDatabase()->Init(folder_ + "/Talvexa_1099_2025.db", false)) std::abort();
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);

        CompanyDatabase& db = *session().DBH->companyDatabase();
        if (!db.Init(folder_ + "/Large 2025.db", true, true, true, "Large")) std::abort();
        bench::fillLargeCompanyFile(db);
    }
    ~LargeCompanyFile() {
        session().DBH->companyDatabase()->Close();
        session().DBH->appDatabase()->Close();
        session().ui = nullptr;
        std::filesystem::remove_all(folder_);
    }

private:
    QtUserInterface ui_;
    std::string folder_;
};

LargeCompanyFile& largeFile() {
    static LargeCompanyFile file;
    return file;
}

// Selects rows as a click does, so the window's own selection handling runs.
void userSelect(QTableView* table, const std::vector<int>& rows) {
    QItemSelection selection;
    for (int row : rows) selection.select(table->model()->index(row, 0), table->model()->index(row, 0));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// The window as opening the database leaves it: payers listed, controls refreshed, drawn.
std::unique_ptr<AppDelegate> openWindow() {
    auto window = std::make_unique<AppDelegate>();
    window->resize(1040, 760);
    window->FillCompanyList();
    window->Refresh();
    window->show();
    window->repaint();
    return window;
}

// Opening the file (with its schema check) and showing it in a new main window.
void BM_OpenIntoMainWindow(benchmark::State& state) {
    largeFile();
    CompanyDatabase& db = *session().DBH->companyDatabase();
    const std::string path = db.GetPath();
    for (auto _ : state) {
        db.Close();
        if (!db.Init(path, true, true, true, "Large")) std::abort();
        auto window = openWindow();
        benchmark::DoNotOptimize(window.get());
    }
}
BENCHMARK(BM_OpenIntoMainWindow)->Unit(benchmark::kMillisecond);

void BM_SelectPayerWith5000Recipients(benchmark::State& state) {
    largeFile();
    auto window = openWindow();
    auto* payers = window->findChild<QTableView*>(QStringLiteral("Company_Sel"));
    auto* recipients = window->findChild<QTableView*>(QStringLiteral("Recipient_sel"));
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
BENCHMARK(BM_SelectPayerWith5000Recipients)->Unit(benchmark::kMillisecond);

// Switching from the large payer to a neighbour of about 2,400 recipients.
void BM_SwitchBetweenPayers(benchmark::State& state) {
    largeFile();
    auto window = openWindow();
    auto* payers = window->findChild<QTableView*>(QStringLiteral("Company_Sel"));
    auto* recipients = window->findChild<QTableView*>(QStringLiteral("Recipient_sel"));
    int row = 0;
    for (auto _ : state) {
        row = row == 0 ? 1 : 0;
        userSelect(payers, {row});
        recipients->viewport()->repaint();
    }
}
BENCHMARK(BM_SwitchBetweenPayers)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
