// The FIRE e-file over a large company file: 10,000 and 100,000 recipients of every
// form kind over five payers. The plain read (each payer's recipients of each kind with
// their additional rows through one joined statement, nothing else) against a whole
// Populate (gathering, completion marks, the file written). Each run is a process of its
// own that opens the file and draws the main window's list of every recipient before
// it is timed: baseMiB is its peak memory then, peakMiB after the run, so that
// peakMiB - baseMiB is what the run adds beyond the cache a list redraw needs.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/efile/EFile.h"
#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/E_FileInfo.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientInfo.h"
#include "LargeCompanyFile.h"
#include "OwnProcess.h"

namespace {

constexpr int kPayers = 5;
const int kKinds[] = {1, 2, 3, 4, 5, 7};

// A company file of the given size, with addresses, states and amounts of every kind,
// made once by a process of its own.
class EFileCompanyFile {
public:
    explicit EFileCompanyFile(int recipients) : recipients_(recipients) {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        path_ = folder_ + "/efile company file.db";
        const bool made = bench::inChildProcess([&] {
            CompanyDatabase db;
            if (!db.Init(path_, false, false, true, "Bench")) return 1;
            bench::fillLargeCompanyFile(db, kPayers, recipients, recipients / 10);
            const bool filled = db.db->executeStatements(
                "update recipients set address = 'Apt ' || (pk % 97) || ' 1200 Long Street Name', "
                "city = 'Springfield', zip = '62701-' || substr('0000' || (pk % 9999), -4, 4), "
                "state = case pk % 5 when 0 then 'Ohio-OH' when 1 then 'Texas-TX' when 2 then 'Kentucky-KY' "
                "when 3 then 'Wisconsin-WI' else 'California-CA' end, "
                "line2 = '45.67', line3 = '8.90', line16_1 = '12.00', line17_1 = 'WI/0369', "
                "div_line1a = '77.10', div_line1b = '70.00', int_line1 = '123.45', int_payerRTN = '021000021', "
                "r_line1 = '5000.00', r_line2a = '4000.00', r_line7_code = '7', r_DateOfPayment = '2/3/2025', "
                "s_line1 = '6/7/2025', s_line2 = '250000.00', nec_line1 = '1500.00', nec_line4 = '150.00', "
                "nec_line5_1 = '75.00';"
                "update recipients_additionalinfo set middleName = 'Q';");
            db.Close();
            return filled ? 0 : 1;
        });
        if (!made) std::abort();
        for (int p = 0; p < kPayers; ++p) payers_.push_back(p);
    }
    ~EFileCompanyFile() { std::filesystem::remove_all(folder_); }

    const std::vector<int32_t>& payers() const { return payers_; }
    const std::string& folder() const { return folder_; }
    int recipients() const { return recipients_; }

    // In the run's own process: the file opened as the session's company database, with
    // every payer selected and the main window's list drawn and selected whole; the
    // completion marks cleared.
    CompanyDatabase* open() {
        resetSession();
        session().DBH = std::make_shared<DatabaseHolder>();
        auto db = session().DBH->companyDatabase();
        if (!db->Init(path_, false, false, true, "Bench")) return nullptr;
        if (!db->db->executeStatements("update recipients set completed = 0;"
                                       "update recipients_additionalinfo set completed = 0;"))
            return nullptr;
        session().comp_details = std::make_shared<Company>();
        session().comp_details->setSelectedCompanies(payers_);
        session().numberSelections = kPayers;
        std::vector<ComapnyInfo> listed;
        for (int32_t p : payers_) {
            ComapnyInfo c;
            c.setPK(p);
            listed.push_back(c);
        }
        std::vector<int32_t> keys;
        for (const auto& row : db->execRecipientFullInfoQuery(listed, "", 0, 0, 0)) keys.push_back(row.getPK());
        session().recp_details = std::make_shared<Recipient>();
        session().recp_details->setSelectedRecipients(std::move(keys));
        return db.get();
    }

private:
    int recipients_;
    std::string folder_;
    std::string path_;
    std::vector<int32_t> payers_;
};

EFileCompanyFile& fileOf(int recipients) {
    static std::map<int, std::unique_ptr<EFileCompanyFile>> files;
    auto& file = files[recipients];
    if (!file) file = std::make_unique<EFileCompanyFile>(recipients);
    return *file;
}

E_FileInfo transmitter() {
    E_FileInfo t;
    t.setTCC("5X7Y9");
    t.setTIN("12-3456789");
    t.setName("Tess Transmitter");
    t.setCompany("Tally Filing Co.");
    t.setAddress("1 Main St.");
    t.setCity("Springfield");
    t.setState("Illinois-IL");
    t.setZip("62701");
    t.setContact("Carl Contact");
    t.setPhone("217-555-0100");
    t.setEmail("carl@tally.example");
    t.setCombinedFedState(true);
    return t;
}

void BM_PlainRead(benchmark::State& state) {
    auto& file = fileOf(static_cast<int>(state.range(0)));
    const std::string sql =
        "select * from recipients r join recipients_additionalinfo rai on r.pk = rai.pk "
        "where r.company_FK = ? and r.type = ? order by r.pk";
    CompanyDatabase* db = nullptr;
    bench::timeInOwnProcesses(
        state, [&] { return (db = file.open()) != nullptr; },
        [&] {
            for (int32_t payer : file.payers()) {
                for (int kind : kKinds) {
                    auto rs = db->db->executeQuery(sql, payer, kind);
                    while (rs && rs->next()) {
                        RecipientInfo r;
                        RecipientAdditionalInfo a;
                        db->FillRecipient(r, *rs);
                        db->FillRecipientadditonalfields(a, *rs);
                        benchmark::DoNotOptimize(r);
                        benchmark::DoNotOptimize(a);
                    }
                }
            }
            return true;
        });
}
BENCHMARK(BM_PlainRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

void BM_Populate(benchmark::State& state) {
    auto& file = fileOf(static_cast<int>(state.range(0)));
    const std::string output = file.folder() + "/1099_E-File.txt";
    const E_FileInfo t = transmitter();
    bench::timeInOwnProcesses(
        state,
        [&] {
            std::filesystem::remove(output);
            return file.open() != nullptr;
        },
        [&] {
            EFile writer;
            return writer.Populate(t, output).ok();
        });
    std::error_code ec;
    state.counters["fileMB"] = static_cast<double>(std::filesystem::file_size(output, ec)) / 1e6;
}
BENCHMARK(BM_Populate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
