// The two line reports over the benchmarks' large company file (20 payers, 50,000
// recipients of every form kind): the summary report of every payer and the mailing
// labels of the first payer's 5,000 recipients. Each run writes the report file, reads
// it back and hands it to a sink that writes the job as a file, as the print folder
// does. Aims: the summary under 5 s, the labels under 2 s.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "LargeCompanyFile.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/print/DisplayPDF.h"
#include "core/print/PrintJobFolder.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"

namespace {

// Writes every job into a folder; any box is a failure of the run.
class FileSink : public UserInterface {
public:
    explicit FileSink(std::string folder) : folder_(std::move(folder)) {}
    MessageBoxResult messageBox(const MessageBoxRequest& r) override {
        std::fprintf(stderr, "unexpected box: %s %s\n", r.caption.c_str(), r.details.c_str());
        std::abort();
    }
    bool formErrors(const std::vector<std::string>&) override { return true; }
    int welcome() override { return 1111; }
    int configurationSetup(TalvexaDir*, std::string&) override { return 2000; }
    int printPreview(const std::string&) override { return 1234; }
    int createDatabase(databaseInfo&) override { return 1000; }
    void refreshMainWindow() override {}
    int alert(const AlertRequest&) override { return kAlertFirstButtonCode; }
    std::optional<std::string> chooseOpenFile(const OpenFileRequest&) override { return std::nullopt; }
    int importErrors(const std::vector<std::string>&) override { return kImportErrorsOKCode; }
    int importConflicts(const std::vector<std::string>&, std::vector<int>&) override {
        return kImportConflictsCancelCode;
    }
    bool closeDatabase(bool, bool) override { return true; }
    bool openRecentDatabase() override { return false; }
    bool print(const PrintJob& job) override {
        std::string reason;
        const auto path = savePrintJob(folder_, job, reason);
        if (!path) std::abort();
        lastBytes = job.pdf.size();
        std::filesystem::remove(*path);
        return true;
    }
    std::optional<std::string> chooseFolder(const FolderRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const SaveFileRequest&) override { return std::nullopt; }
    int cloudBackupEnrolment() override { return kCloudBackupCloseCode; }
    size_t lastBytes = 0;

private:
    std::string folder_;
};

class ReportFile {
public:
    ReportFile() {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        std::filesystem::create_directories(folder_ + "/jobs");
        db_ = std::make_shared<CompanyDatabase>();
        if (!db_->Init(folder_ + "/reports company file.db", false, false, true, "Bench")) std::abort();
        bench::fillLargeCompanyFile(*db_);
        const bool filled = db_->db->executeStatements(
            "update recipients set address = 'Apt ' || (pk % 97) || ' 1200 Long Street Name', "
            "city = 'Springfield', zip = '62701', state = 'Illinois-IL', "
            "div_line1a = '77.10', int_line1 = '123.45', r_line1 = '5000.00', s_line2 = '250000.00', "
            "nec_line1 = '1500.00';");
        if (!filled) std::abort();
        sink_ = std::make_unique<FileSink>(folder_ + "/jobs");
    }
    ~ReportFile() {
        db_->Close();
        std::filesystem::remove_all(folder_);
    }

    void select(std::vector<int32_t> payers) {
        resetSession();
        Session& s = session();
        s.DBH = std::make_shared<DatabaseHolder>();
        s.DBH->setCompanyDatabase(db_);
        s.comp_details = std::make_shared<Company>();
        s.comp_details->setSelectedCompanies(std::move(payers));
        s.ControlledTempDir = folder_;
        s.ui = sink_.get();
    }
    FileSink& sink() { return *sink_; }

private:
    std::string folder_;
    std::shared_ptr<CompanyDatabase> db_;
    std::unique_ptr<FileSink> sink_;
};

ReportFile& file() {
    static ReportFile f;
    return f;
}

void BM_SummaryReport(benchmark::State& state) {
    std::vector<int32_t> payers;
    for (int p = 0; p < bench::kPayers; ++p) payers.push_back(p);
    file().select(payers);
    for (auto _ : state)
        if (!DisplayPDF().PrintSummaryReport()) std::abort();
    state.counters["recipients"] = bench::kRecipients;
    state.counters["pdf_MB"] = double(file().sink().lastBytes) / 1e6;
}
BENCHMARK(BM_SummaryReport)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MailingLabels(benchmark::State& state) {
    file().select({0});
    for (auto _ : state)
        if (!DisplayPDF().MailingLablesReport()) std::abort();
    state.counters["labels"] = bench::kRecipientsOfFirstPayer;
    state.counters["pdf_MB"] = double(file().sink().lastBytes) / 1e6;
}
BENCHMARK(BM_MailingLabels)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
