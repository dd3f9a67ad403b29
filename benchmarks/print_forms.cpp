// A 1099-NEC recipient run over 500 selected recipients: Copy B and Copy 2, 1,000 forms
// on 334 sheets. Each run composes the sheets, marks every recipient in the company
// file and paints both copies into PDF documents through the print sink's print
// folder, as the program does without a printer. Aim: under 10 s.
//
// The same run to a print queue that takes PDF: the print dialog answered with OK, the
// sheets painted as the vector PDF and handed to the print service (a stand-in takes
// the file). Reported beside it: the time from the dialog's OK to the hand-over, summed
// over the run's two jobs (1,000 recipient copies).
//
// The four-up run over the same recipients: one plain-paper sheet per recipient with
// four copies of its form, every text fitted into its box (2,000 copies on 500 sheets),
// painted into the print folder.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>

#include "OffscreenMain.h"
#include "ReadyQueue.h"
#include "AnsweringUserInterface.h"
#include "core/foundation/Session.h"
#include "core/print/DisplayPDF.h"
#include "core/print/SheetModel.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "platform/PrintService.h"
#include "ui/print/PrintJobSink.h"
#include "ui/support/ModalLoop.h"

namespace {

constexpr int kRecipients = 500;

// Prompts answered at once; jobs through the window layer's sink.
class PrintingUserInterface : public bench::AnsweringUserInterface {
public:
    PrintResult print(const PrintJob& job) override {
        if (job.sheets) sheets += job.sheets->size();
        if (printJob(nullptr, job) != PrintResult::printed) std::abort();
        return PrintResult::printed;
    }
    size_t sheets = 0;
};

// The print dialog answered with OK, the job handed to a stand-in print queue; the
// time from the OK to the hand-over is summed.
class QueueUserInterface : public bench::AnsweringUserInterface {
public:
    QueueUserInterface() {
        platform::setPrintService(readyQueue([this](const platform::PrintFileRequest&, std::string&) {
            okToHandOver += double(clock.nsecsElapsed()) / 1e6;
            ++handed;
            return true;
        }));
        setChosenPrintQueueForTests("Bench queue");
    }
    ~QueueUserInterface() override {
        platform::setPrintService({});
        setChosenPrintQueueForTests("");
    }
    PrintResult print(const PrintJob& job) override {
        ScopedModalResponder responder([this](QWidget& w) {
            qobject_cast<QDialog*>(&w)->accept();
            clock.start();
        });
        if (printJob(nullptr, job) != PrintResult::printed) std::abort();
        return PrintResult::printed;
    }
    QElapsedTimer clock;
    double okToHandOver = 0;
    int handed = 0;
};

class FormsFile {
public:
    FormsFile() {
        char pattern[] = "/tmp/talvexa-bench-forms-XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::create_directories(folder_ + "/printed");
        setenv(kPrintFolderVariable, (folder_ + "/printed").c_str(), 1);
        db_ = std::make_shared<CompanyDatabase>();
        if (!db_->Init(folder_ + "/forms company file.db", false, false, true, "Bench")) std::abort();
        ComapnyInfo payer;
        payer.setName("Bench Payer & Co");
        payer.setAddress("100 Payer Avenue");
        payer.setCity("Springfield");
        payer.setState("Illinois-IL");
        payer.setZip("62701");
        payer.setPhone("217-555-0100");
        payer.setTaxID("12-3456789");
        if (!db_->insertCompanyInfo(payer)) std::abort();
        const int32_t payerKey = db_->getCompanyPK();
        if (!db_->db->beginTransaction()) std::abort();
        for (int i = 0; i < kRecipients; ++i) {
            RecipientInfo r;
            r.setType(7);
            r.setCompany_FK(payerKey);
            r.setFirstName("Recipient");
            r.setLastName("Number " + std::to_string(i));
            r.setAddress(std::to_string(i) + " Long Street Name Apt 12");
            r.setCity("Springfield");
            r.setState("Illinois-IL");
            r.setZip("62701");
            r.setTaxID("123-45-" + std::to_string(1000 + i));
            r.setAccountNumber("ACCT-" + std::to_string(i));
            r.setLine1_NEC(std::to_string(1000 + i) + ".00");
            r.setLine4_NEC("100.00");
            r.setLine5_1_NEC("50.00");
            r.setLine6_1_NEC("IL-12345");
            r.setLine7_1_NEC("1500.00");
            RecipientAdditionalInfo a;
            a.setType(7);
            a.setCompany_FK(payerKey);
            a.setlastname("Number " + std::to_string(i));
            if (!db_->insertRecipientInfo(r, a)) std::abort();
            keys_.push_back(r.getPK());
        }
        if (!db_->db->commit()) std::abort();
        payer_ = payerKey;
    }
    ~FormsFile() {
        db_->Close();
        unsetenv(kPrintFolderVariable);
        std::filesystem::remove_all(folder_);
    }

    void select() {
        resetSession();
        Session& s = session();
        s.DBH = std::make_shared<DatabaseHolder>();
        s.DBH->setCompanyDatabase(db_);
        s.comp_details = std::make_shared<Company>();
        s.comp_details->setSelectedCompanies({payer_});
        s.recp_details = std::make_shared<Recipient>();
        s.recp_details->setSelectedRecipients(keys_);
        s.ControlledTempDir = folder_;
        s.ui = &ui_;
    }
    // Empties the print folder between runs.
    uintmax_t clearPrinted() {
        uintmax_t bytes = 0;
        for (const auto& e : std::filesystem::directory_iterator(folder_ + "/printed")) {
            bytes += e.file_size();
            std::filesystem::remove(e.path());
        }
        return bytes;
    }
    PrintingUserInterface& ui() { return ui_; }

private:
    std::string folder_;
    std::shared_ptr<CompanyDatabase> db_;
    std::vector<int32_t> keys_;
    int32_t payer_ = -1;
    PrintingUserInterface ui_;
};

void BM_NecRecipientRun(benchmark::State& state) {
    static FormsFile file;
    file.select();
    uintmax_t bytes = 0;
    for (auto _ : state) {
        file.ui().sheets = 0;
        DisplayPDF(7, false).RecipientFed1099();
        state.PauseTiming();
        if (file.ui().sheets != 334) std::abort();
        bytes = file.clearPrinted();
        state.ResumeTiming();
    }
    state.counters["forms"] = 2 * kRecipients;
    state.counters["sheets"] = 334;
    state.counters["pdf_MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_NecRecipientRun)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NecRecipientRunToAQueue(benchmark::State& state) {
    static FormsFile file;
    file.select();
    const std::string folder = std::getenv(kPrintFolderVariable);
    unsetenv(kPrintFolderVariable);
    QueueUserInterface queue;
    session().ui = &queue;
    double okToHandOver = 0;
    for (auto _ : state) {
        queue.okToHandOver = 0;
        queue.handed = 0;
        DisplayPDF(7, false).RecipientFed1099();
        state.PauseTiming();
        if (queue.handed != 2) std::abort();
        okToHandOver = std::max(okToHandOver, queue.okToHandOver);
        state.ResumeTiming();
    }
    session().ui = &file.ui();
    setenv(kPrintFolderVariable, folder.c_str(), 1);
    state.counters["forms"] = 2 * kRecipients;
    state.counters["ok_to_handover_ms"] = okToHandOver;
}
BENCHMARK(BM_NecRecipientRunToAQueue)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NecFourUpRun(benchmark::State& state) {
    static FormsFile file;
    file.select();
    for (auto _ : state) {
        file.ui().sheets = 0;
        DisplayPDF(7, true).RecipientFed1099();
        state.PauseTiming();
        if (file.ui().sheets != kRecipients) std::abort();
        file.clearPrinted();
        state.ResumeTiming();
    }
    state.counters["copies"] = 4 * kRecipients;
    state.counters["sheets"] = kRecipients;
}
BENCHMARK(BM_NecFourUpRun)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv);
}
