// The FIRE e-file over a large company file: 10,000, 100,000 and 200,000 recipients of
// every form kind over five payers, each row with an address and every amount box of
// every kind filled, so that the recipients table is far larger than the page cache a
// one-pass job keeps. The plain read (each payer's recipients of each kind with their
// additional rows through one joined statement, nothing else) against a whole Populate
// (gathering, completion marks, the file written); Populate's xPlainRead is its time over
// the plain read's at the same size, measured earlier in the same run. Each run is a
// process of its own whose preparation copies the untouched file into place (a file copy
// by the system, no row read) and opens it, with the main window's whole list selected
// by key: baseMiB is its peak memory then, before any row is read, peakMiB after the run.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Every box that the FIRE file reads as an amount, of every kind, with the state tax and
// state income boxes.
const char* const kAmountColumns[] = {
    "line1", "line2", "line3", "line4", "line5", "line6", "line7", "line8", "line10", "line11", "line12",
    "line14", "line16_1", "line18_1", "div_line1a", "div_line1b", "div_line2a", "div_sec199ADiv", "div_line2b",
    "div_line2c", "div_line2d", "div_line2e", "div_line2f", "div_line3", "div_line4", "div_line5", "div_line6",
    "div_line8", "div_line9", "div_line10", "div_line11", "div_line14", "int_line1", "int_line2", "int_line3",
    "int_line4", "int_line5", "int_line6", "int_line8", "int_line9", "int_line13", "int_line14", "int_line15",
    "int_line16", "int_line17", "r_line1", "r_line2a", "r_line3", "r_line4", "r_line5", "r_line6", "r_line8",
    "r_line9b", "r_line10", "r_line12_1", "r_line14_1", "s_line2", "s_line5", "nec_line1", "nec_line3",
    "nec_line4", "nec_line5_1", "nec_line7_1"};

// A company file of the given size, with addresses, states and every amount of every
// kind, made once by a process of its own beside the keys of the main window's list of
// every recipient (the run's selection). Each run works on a fresh copy of it.
class EFileCompanyFile {
public:
    explicit EFileCompanyFile(int recipients) : recipients_(recipients) {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        made_ = folder_ + "/made.db";
        path_ = folder_ + "/efile company file.db";
        const std::string keysPath = folder_ + "/keys";
        for (int p = 0; p < kPayers; ++p) payers_.push_back(p);
        const bool made = bench::inChildProcess([&] {
            CompanyDatabase db;
            if (!db.Init(made_, false, false, true, "Bench")) return 1;
            bench::fillLargeCompanyFile(db, kPayers, recipients, recipients / 10);
            // Amounts of 100.00 to 9,099.99 that differ from row to row.
            std::string amounts;
            for (const char* column : kAmountColumns)
                amounts += std::string(", ") + column +
                           " = (pk % 9000 + 100) || '.' || substr('0' || (pk % 100), -2, 2)";
            const bool filled = db.db->executeStatements(
                "update recipients set address = 'Apt ' || (pk % 97) || ' 1200 Long Street Name', "
                "city = 'Springfield', zip = '62701-' || substr('0000' || (pk % 9999), -4, 4), "
                "state = case pk % 5 when 0 then 'Ohio-OH' when 1 then 'Texas-TX' when 2 then 'Kentucky-KY' "
                "when 3 then 'Wisconsin-WI' else 'California-CA' end, "
                "line17_1 = 'WI/0369', int_payerRTN = '021000021', r_line7_code = '7', r_DateOfPayment = '2/3/2025', "
                "s_line1 = '6/7/2025'" +
                amounts +
                ";"
                "update recipients_additionalinfo set middleName = 'Q';");
            // The main window's list of every recipient of the payers, in its order.
            std::vector<ComapnyInfo> listed(payers_.size());
            for (std::size_t i = 0; i < payers_.size(); ++i) listed[i].setPK(payers_[i]);
            std::vector<int32_t> keys;
            for (const auto& row : db.execRecipientFullInfoQuery(listed, "", 0, 0, 0)) keys.push_back(row.getPK());
            db.Close();
            std::ofstream out(keysPath, std::ios::binary);
            out.write(reinterpret_cast<const char*>(keys.data()),
                      static_cast<std::streamsize>(keys.size() * sizeof(int32_t)));
            return filled && out && keys.size() == static_cast<std::size_t>(recipients) ? 0 : 1;
        });
        if (!made) std::abort();
        std::ifstream in(keysPath, std::ios::binary);
        keys_.resize(static_cast<std::size_t>(recipients));
        in.read(reinterpret_cast<char*>(keys_.data()), static_cast<std::streamsize>(keys_.size() * sizeof(int32_t)));
        if (!in) std::abort();
    }
    ~EFileCompanyFile() { std::filesystem::remove_all(folder_); }

    const std::vector<int32_t>& payers() const { return payers_; }
    const std::string& folder() const { return folder_; }
    int recipients() const { return recipients_; }

    // In the run's own process: a fresh copy of the file (no marks yet) opened as the
    // session's company database, with every payer selected and the main window's whole
    // list selected by key. No row is read.
    CompanyDatabase* open() {
        std::error_code copied;
        std::filesystem::copy_file(made_, path_, std::filesystem::copy_options::overwrite_existing, copied);
        if (copied) return nullptr;
        // The copy written out, as a user's file is: otherwise the run's first sync of the
        // file would also write the whole copy, which the plain read never syncs.
        const int copy = ::open(path_.c_str(), O_RDONLY);
        const bool synced = copy >= 0 && ::fsync(copy) == 0;
        if (copy >= 0) ::close(copy);
        if (!synced) return nullptr;
        resetSession();
        session().DBH = std::make_shared<DatabaseHolder>();
        auto db = session().DBH->companyDatabase();
        if (!db->Init(path_, false, false, true, "Bench")) return nullptr;
        session().comp_details = std::make_shared<Company>();
        session().comp_details->setSelectedCompanies(payers_);
        session().numberSelections = kPayers;
        session().recp_details = std::make_shared<Recipient>();
        session().recp_details->setSelectedRecipients(keys_);
        return db.get();
    }

private:
    int recipients_;
    std::string folder_;
    std::string made_;   // as made, never opened by a run
    std::string path_;   // the copy a run works on
    std::vector<int32_t> payers_;
    std::vector<int32_t> keys_;
};

// The plain read's mean time in seconds, by size, for Populate's ratio.
std::map<int64_t, double>& plainReadSeconds() {
    static std::map<int64_t, double> seconds;
    return seconds;
}

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
    plainReadSeconds()[state.range(0)] = bench::timeInOwnProcesses(
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
BENCHMARK(BM_PlainRead)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

void BM_Populate(benchmark::State& state) {
    auto& file = fileOf(static_cast<int>(state.range(0)));
    const std::string output = file.folder() + "/1099_E-File.txt";
    const E_FileInfo t = transmitter();
    const double seconds = bench::timeInOwnProcesses(
        state,
        [&] {
            std::filesystem::remove(output);
            return file.open() != nullptr;
        },
        [&] {
            EFile writer;
            return writer.Populate(t, output).ok();
        });
    const auto plain = plainReadSeconds().find(state.range(0));
    if (plain != plainReadSeconds().end() && plain->second > 0 && seconds > 0)
        state.counters["xPlainRead"] = seconds / plain->second;
    std::error_code ec;
    state.counters["fileMB"] = static_cast<double>(std::filesystem::file_size(output, ec)) / 1e6;
}
BENCHMARK(BM_Populate)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
