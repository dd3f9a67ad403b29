// The recipient entry windows over the real-size company file (bench::fillFullCompanyFile):
// 200,000 recipients with addresses and every amount, the payer of row 1 one of the
// largest (about 10,300 recipients spread over the whole file). For each window: opening it in edit mode on one of that payer's recipients,
// and saving an edit with Update, which also refills the main window's list of the
// payer's recipients and selects the saved one again.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "OffscreenMain.h"
#include "AnsweringUserInterface.h"
#include "LargeCompanyFile.h"
#include "core/entry/EntryFormTable.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientFullInfo.h"
#include "ui/entry/DIVFrame.h"
#include "ui/entry/INTFrame.h"
#include "ui/entry/MISCFrame.h"
#include "ui/entry/NECFrame.h"
#include "ui/entry/RFrame.h"
#include "ui/entry/SFrame.h"
#include "ui/main/AppDelegate.h"

namespace {

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
        bench::fillFullCompanyFile(db);

        // The main window with the large payer selected, as a click leaves it.
        main_ = std::make_unique<AppDelegate>();
        main_->resize(1040, 760);
        main_->FillCompanyList();
        main_->Refresh();
        main_->show();
        auto* payers = main_->findChild<QTableView*>(QStringLiteral("Company_Sel"));
        const QModelIndex largest = payers->model()->index(1, 0);
        payers->selectionModel()->select(largest, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (main_->Recvec().size() != static_cast<size_t>(bench::fullFileRecipientsOf(1))) std::abort();
    }
    ~LargeCompanyFile() {
        main_.reset();
        session().DBH->companyDatabase()->Close();
        session().DBH->appDatabase()->Close();
        session().ui = nullptr;
        std::filesystem::remove_all(folder_);
    }

private:
    bench::AnsweringUserInterface ui_;
    std::string folder_;
    std::unique_ptr<AppDelegate> main_;
};

// Released after the runs, while the application (and its windows) still exist.
std::unique_ptr<LargeCompanyFile>& largeFileHolder() {
    static std::unique_ptr<LargeCompanyFile> file;
    return file;
}

LargeCompanyFile& largeFile() {
    if (!largeFileHolder()) largeFileHolder() = std::make_unique<LargeCompanyFile>();
    return *largeFileHolder();
}

struct Window {
    const entry::EntryFormTable& (*formTable)();
    std::function<RecipientEntryWindow*()> create;
    const char* update;
};

const Window kMisc{entry::miscForm, [] { return static_cast<RecipientEntryWindow*>(MISCFrame::create()); },
                   "UpdateRecipient_Button"};
const Window kNec{entry::necForm, [] { return static_cast<RecipientEntryWindow*>(NECFrame::create()); },
                  "UpdateRecipient_Button"};
const Window kInt{entry::intForm, [] { return static_cast<RecipientEntryWindow*>(INTFrame::create()); },
                  "Update_Button"};
const Window kDiv{entry::divForm, [] { return static_cast<RecipientEntryWindow*>(DIVFrame::create()); },
                  "Update"};
const Window kR{entry::rForm, [] { return static_cast<RecipientEntryWindow*>(RFrame::create()); },
                "Update_Button"};
const Window kS{entry::sForm, [] { return static_cast<RecipientEntryWindow*>(SFrame::create()); },
                "Update_Button"};

// One of the large payer's recipients of the window's kind, selected for editing.
int32_t selectRecipientOfLargePayer(const Window& window) {
    largeFile();
    const int kind = window.formTable().kind;
    const auto list = session().DBH->companyDatabase()->getRecipientFullInfo1(1, 0, kind, 0);
    if (list.size() < 500) std::abort();
    const int32_t key = list[list.size() / 2].getPK();
    session().recp_details->setModeToEdit();
    session().recp_details->setSelectedRecipients({key});
    session().recp_details->setSelectedType({kind});
    return key;
}

void closeQuietly(RecipientEntryWindow* w) {
    delete w;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenInEditMode(benchmark::State& state, const Window& window) {
    selectRecipientOfLargePayer(window);
    for (auto _ : state) {
        RecipientEntryWindow* w = window.create();
        if (!w) std::abort();
        w->show();
        QCoreApplication::processEvents();
        state.PauseTiming();
        closeQuietly(w);
        state.ResumeTiming();
    }
    bench::reportPeakMemory(state);
}

// Types a new first name as the user does: select all, then keystrokes.
void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

void BM_SaveAnEdit(benchmark::State& state, const Window& window) {
    const int32_t key = selectRecipientOfLargePayer(window);
    RecipientEntryWindow* w = window.create();
    if (!w) std::abort();
    w->show();
    const auto& formTable = window.formTable();
    auto* first = qobject_cast<QLineEdit*>(w->control(formTable.fields[formTable.indexOf(entry::Role::FirstName)].outlet));
    auto* update = w->findChild<QPushButton*>(QString::fromLatin1(window.update));
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString name = QStringLiteral("Edited%1").arg(++round);
        retype(first, name);
        if (!update->isEnabled()) std::abort();
        state.ResumeTiming();

        update->click();
        QCoreApplication::processEvents();

        state.PauseTiming();
        if (session().DBH->companyDatabase()->getRecipientInfo(key).getFirstName() != name.toStdString() ||
            session().recp_details->selectedRecipients() != std::vector<int32_t>{key})
            std::abort();
        state.ResumeTiming();
    }
    closeQuietly(w);
    bench::reportPeakMemory(state);
}

BENCHMARK_CAPTURE(BM_OpenInEditMode, MISC, kMisc)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenInEditMode, NEC, kNec)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenInEditMode, INT, kInt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenInEditMode, DIV, kDiv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenInEditMode, R, kR)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenInEditMode, S, kS)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAnEdit, MISC, kMisc)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAnEdit, NEC, kNec)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAnEdit, INT, kInt)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAnEdit, DIV, kDiv)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAnEdit, R, kR)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAnEdit, S, kS)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv, [] { largeFileHolder().reset(); });
}
