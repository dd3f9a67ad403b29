// The record commands over the large company file: 20 payers and 200,000 recipients,
// the first payer holding 5,000 of them.
//
// - Deleting 1,000 selected recipients of the first payer through Delete Recipients,
//   in one write, through to the main window's refill of the payer's list.
// - Copying a recipient of another payer to the payer of key 0 of the open database,
//   with the duplicate check over that payer's recipients of the kind (the core copy),
//   and the same through the copy dialog's OK with the main window's refresh.
// - Copying into a second company file, which is opened and closed for the copy.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include "OffscreenMain.h"
#include "AnsweringUserInterface.h"
#include "LargeCompanyFile.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/databaseInfo.h"
#include "core/records/RecipientCopy.h"
#include "core/records/RecipientDeletion.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"

namespace {

constexpr int kDeleted = 1000;

class LargeCompanyFile {
public:
    LargeCompanyFile() {
        resetSession();
        session().ui = &ui_;
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        session().DBH = std::make_shared<DatabaseHolder>();
        AppDatabase& app = *session().DBH->appDatabase();
        if (!app.Init(folder_ + "/Talvexa_1099_2025.db", false)) std::abort();
        session().appDBReady = true;
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);
        CompanyDatabase& db = *session().DBH->companyDatabase();
        const std::string path = folder_ + "/Large 2025.db";
        if (!db.Init(path, true, true, true, "Large") || !db.SetName("Large")) std::abort();
        bench::fillLargeCompanyFile(db, bench::kPayers, bench::kRecipientsLarge);
        if (!app.InsertDatabaseInfo(databaseInfo("Large", path, 2025, false, ""))) std::abort();

        // A second file of one payer with 5,000 recipients, listed beside it.
        const std::string second = folder_ + "/Second 2025.db";
        {
            CompanyDatabase other;
            if (!other.Init(second, false, true, true, "Second") || !other.SetName("Second")) std::abort();
            bench::fillLargeCompanyFile(other, 1, 5000, 5000);
            other.Close();
        }
        if (!app.InsertDatabaseInfo(databaseInfo("Second", second, 2025, false, ""))) std::abort();

        main_ = std::make_unique<AppDelegate>();
        main_->resize(1040, 760);
        main_->FillCompanyList();
        main_->Refresh();
        main_->show();
    }
    ~LargeCompanyFile() {
        main_.reset();
        session().DBH->companyDatabase()->Close();
        session().DBH->appDatabase()->Close();
        session().ui = nullptr;
        std::filesystem::remove_all(folder_);
    }

    AppDelegate& main() { return *main_; }
    CompanyDatabase& db() { return *session().DBH->companyDatabase(); }

    // Selects a payer's row (by key) as a click does.
    void selectPayer(int32_t key) {
        auto* table = main_->findChild<QTableView*>(QStringLiteral("Company_Sel"));
        for (size_t row = 0; row < main_->Company_PTL().size(); ++row) {
            if (main_->Company_PTL()[row].companyPK() != key) continue;
            const QModelIndex index = table->model()->index(static_cast<int>(row), 0);
            table->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }
    // Selects the first `count` rows of the recipient list.
    void selectRecipientRows(int count) {
        auto* table = main_->findChild<QTableView*>(QStringLiteral("Recipient_sel"));
        QItemSelection selection(table->model()->index(0, 0), table->model()->index(count - 1, 0));
        table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

private:
    bench::AnsweringUserInterface ui_;
    std::string folder_;
    std::unique_ptr<AppDelegate> main_;
};

// Made by the first benchmark that runs; let go before the application object, whose
// windows it holds.
std::unique_ptr<LargeCompanyFile>& largeFileHolder() {
    static std::unique_ptr<LargeCompanyFile> file;
    return file;
}

LargeCompanyFile& largeFile() {
    if (!largeFileHolder()) largeFileHolder() = std::make_unique<LargeCompanyFile>();
    return *largeFileHolder();
}

// Puts `count` recipients back under the first payer, as the large file holds them.
void refillFirstPayer(CompanyDatabase& db, int count) {
    if (!db.db->beginTransaction()) std::abort();
    for (int i = 0; i < count; ++i) {
        RecipientInfo r;
        r.setType(1);
        r.setFirstName("Again" + std::to_string(i));
        r.setTaxID(std::to_string(900000000 + i));
        RecipientAdditionalInfo a;
        a.setType(1);
        a.setlastname("Refilled" + std::to_string(i));
        a.setname_typee("Individual");
        if (!db.insertRecipientInfo(r, a)) std::abort();
    }
    if (!db.db->commit()) std::abort();
}

void BM_DeleteSelectedRecipients(benchmark::State& state) {
    LargeCompanyFile& file = largeFile();
    ScopedModalResponder confirm([](QWidget& w) {
        if (auto* b = w.findChild<QAbstractButton*>(QStringLiteral("Confirm_Delete"))) b->click();
    });
    auto* remove = file.main().findChild<QPushButton*>(QStringLiteral("DeleteRecipient_Button"));
    for (auto _ : state) {
        state.PauseTiming();
        file.selectPayer(0);
        file.main().SelectCompany();   // the list as stored, after the last refill
        const size_t before = file.main().Recvec().size();
        file.selectRecipientRows(kDeleted);
        if (session().recp_details->selectedRecipients().size() != kDeleted || !remove->isEnabled()) std::abort();
        state.ResumeTiming();

        remove->click();

        state.PauseTiming();
        if (file.main().Recvec().size() != before - kDeleted) std::abort();
        refillFirstPayer(file.db(), kDeleted);
        state.ResumeTiming();
    }
    bench::reportPeakMemory(state);
}

// A recipient of another payer than 0, of the kind, with a taxpayer number of its own.
int32_t sourceRecipient(CompanyDatabase& db, int32_t kind) {
    const auto list = db.getRecipients(7, kind);
    if (list.empty()) std::abort();
    return list.front().getPK();
}

void removeCopy(CompanyDatabase& db) {
    RecipientInfo copy;
    copy.setPK(db.getRecipientPK());
    if (!db.deleteRecipient(copy)) std::abort();
}

void BM_CopyToPayerZeroOfTheOpenFile(benchmark::State& state) {
    LargeCompanyFile& file = largeFile();
    CompanyDatabase& db = file.db();
    const int32_t source = sourceRecipient(db, 1);
    const auto listed = session().DBH->appDatabase()->SelectDatabaseList();
    const size_t checked = db.getRecipients(0, 7).size();
    for (auto _ : state) {
        const auto outcome = records::copyRecipient(db, source, 7, "Large", listed);
        state.PauseTiming();
        if (outcome.result != records::CopyResult::Copied) std::abort();
        removeCopy(db);
        state.ResumeTiming();
    }
    state.counters["checked"] = static_cast<double>(checked);
    bench::reportPeakMemory(state);
}

void BM_CopyThroughTheDialog(benchmark::State& state) {
    LargeCompanyFile& file = largeFile();
    CompanyDatabase& db = file.db();
    ScopedModalResponder answer([](QWidget& w) {
        if (auto* b = w.findChild<QAbstractButton*>(QStringLiteral("NEC1"))) b->click();
        if (auto* b = w.findChild<QAbstractButton*>(QStringLiteral("OK_Button"))) b->click();
    });
    auto* copy = file.main().findChild<QPushButton*>(QStringLiteral("CopyRecipient_Button"));
    for (auto _ : state) {
        state.PauseTiming();
        file.selectPayer(7);
        file.main().SelectCompany();
        file.selectRecipientRows(1);
        const int32_t before = db.getRecipientPK();
        state.ResumeTiming();

        copy->click();

        state.PauseTiming();
        if (db.getRecipientPK() == before) std::abort();
        removeCopy(db);
        state.ResumeTiming();
    }
    bench::reportPeakMemory(state);
}

void BM_CopyIntoASecondFile(benchmark::State& state) {
    LargeCompanyFile& file = largeFile();
    CompanyDatabase& db = file.db();
    const int32_t source = sourceRecipient(db, 3);
    const auto listed = session().DBH->appDatabase()->SelectDatabaseList();
    std::string second;
    for (const auto& entry : listed)
        if (entry.name() == "Second") second = entry.path();
    for (auto _ : state) {
        const auto outcome = records::copyRecipient(db, source, 3, "Second", listed);
        state.PauseTiming();
        if (outcome.result != records::CopyResult::Copied) std::abort();
        CompanyDatabase other;
        if (!other.Init(second, false, true, true, "Second")) std::abort();
        removeCopy(other);
        other.Close();
        state.ResumeTiming();
    }
    bench::reportPeakMemory(state);
}

BENCHMARK(BM_DeleteSelectedRecipients)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyToPayerZeroOfTheOpenFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyThroughTheDialog)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyIntoASecondFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv, [] { largeFileHolder().reset(); });
}
