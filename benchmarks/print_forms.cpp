// A 1099-NEC recipient run over 500 selected recipients: Copy B and Copy 2, 1,000 forms
// on 334 sheets. Each run composes the sheets, marks every recipient in the company
// file and paints both copies into PDF documents through the print sink's print
// folder, as the program does without a printer. Aim: under 10 s.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "OffscreenMain.h"
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
#include "ui/print/PrintJobSink.h"

namespace {

constexpr int kRecipients = 500;

// Prompts answered at once; jobs through the window layer's sink.
class PrintingUserInterface : public bench::AnsweringUserInterface {
public:
    bool print(const PrintJob& job) override {
        if (job.sheets) sheets += job.sheets->size();
        if (!printJob(nullptr, job)) std::abort();
        return true;
    }
    size_t sheets = 0;
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

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv);
}
