// The two line reports over the benchmarks' large company file (20 payers, 50,000
// recipients of every form kind): the summary report of every payer and the mailing
// labels of the first payer's 5,000 recipients. Each run goes from the print command
// to the job handed to the print queue: the report file written and read back, the
// print dialog answered, the document handed over as a PDF file (a stand-in for the
// print service takes it). Aims: the summary under 5 s, the labels under 2 s. The
// longest time between two turns of the event loop is reported beside each, and the
// time from the print dialog's OK to the hand-over.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractEventDispatcher>
#include <QDialog>
#include <QElapsedTimer>

#include "LargeCompanyFile.h"
#include "OffscreenMain.h"
#include "ReadyQueue.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/print/DisplayPDF.h"
#include "core/print/PrintJobFolder.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/PrintService.h"
#include "ui/print/PrintJobSink.h"
#include "ui/support/ModalLoop.h"

namespace {

// Hands every job to the window layer's print path; any box is a failure of the run.
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
    PrintResult print(const PrintJob& job) override {
        ScopedModalResponder responder([this](QWidget& w) {
            qobject_cast<QDialog*>(&w)->accept();
            okClock.start();
        });
        if (printJob(nullptr, job) != PrintResult::printed) std::abort();
        return PrintResult::printed;
    }
    std::optional<std::string> chooseFolder(const FolderRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const SaveFileRequest&) override { return std::nullopt; }
    int cloudBackupEnrolment() override { return kCloudBackupCloseCode; }
    QElapsedTimer okClock;   // started at the print dialog's OK
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
        setChosenPrintQueueForTests("Bench queue");
        platform::setPrintService(readyQueue([this](const platform::PrintFileRequest& request, std::string&) {
            okToHandOver = double(sink_->okClock.nsecsElapsed()) / 1e6;
            std::error_code error;
            lastBytes = std::filesystem::file_size(request.path, error);
            return true;
        }));
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, [this] { turn(); });
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                         [this] { turn(); });
    }
    ~ReportFile() {
        platform::setPrintService({});
        setChosenPrintQueueForTests("");
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

    // The event loop's turns during a run: the longest stretch without one, in ms.
    void startRun() {
        clock_.start();
        last_ = 0;
        longest_ = 0;
    }
    double endRun() {
        turn();
        return double(longest_) / 1e6;
    }
    void turn() {
        if (!clock_.isValid()) return;
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    size_t lastBytes = 0;
    double okToHandOver = 0;   // of the last job, ms

private:
    std::string folder_;
    std::shared_ptr<CompanyDatabase> db_;
    std::unique_ptr<FileSink> sink_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

// Made on first use and released before the application goes (it holds Qt connections).
ReportFile*& fileSlot() {
    static ReportFile* f = nullptr;
    return f;
}
ReportFile& file() {
    if (!fileSlot()) fileSlot() = new ReportFile;
    return *fileSlot();
}

void BM_SummaryReport(benchmark::State& state) {
    std::vector<int32_t> payers;
    for (int p = 0; p < bench::kPayers; ++p) payers.push_back(p);
    file().select(payers);
    double gap = 0;
    for (auto _ : state) {
        file().startRun();
        if (!DisplayPDF().PrintSummaryReport()) std::abort();
        gap = std::max(gap, file().endRun());
    }
    state.counters["recipients"] = bench::kRecipients;
    state.counters["pdf_MB"] = double(file().lastBytes) / 1e6;
    state.counters["longest_gap_ms"] = gap;
    state.counters["ok_to_handover_ms"] = file().okToHandOver;
}
BENCHMARK(BM_SummaryReport)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MailingLabels(benchmark::State& state) {
    file().select({0});
    double gap = 0;
    for (auto _ : state) {
        file().startRun();
        if (!DisplayPDF().MailingLablesReport()) std::abort();
        gap = std::max(gap, file().endRun());
    }
    state.counters["labels"] = bench::kRecipientsOfFirstPayer;
    state.counters["pdf_MB"] = double(file().lastBytes) / 1e6;
    state.counters["longest_gap_ms"] = gap;
    state.counters["ok_to_handover_ms"] = file().okToHandOver;
}
BENCHMARK(BM_MailingLabels)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv, [] {
        delete fileSlot();
        fileSlot() = nullptr;
    });
}
