// The FIRE e-file over a large company file: 10,000, 100,000 and 200,000 recipients of
// every form kind over five payers, each row with an address and every amount box of
// every kind filled, so that the recipients table is far larger than the page cache a
// one-pass job keeps. The file is made as entry makes it: each recipient whole at its
// insert, its two rows one after the other. Made files are kept in the system's
// temporary folder (talvexa-bench-files) and reused by later runs; remove that folder
// to make them again. The plain read (each payer's recipients of each kind with their
// additional rows through one joined statement, nothing else) against a whole Populate
// (gathering, completion marks, the file written); Populate's xPlainRead is its time over
// the plain read's at the same size, measured earlier in the same run. Each run is a
// process of its own whose preparation copies the untouched file into place (a file copy
// by the system, no row read) and opens it, with the main window's whole list selected
// by key: baseMiB is its peak memory then, before any row is read, peakMiB after the run.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
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
using R = RecipientInfo;
void (R::*const kAmountSetters[])(std::string) = {
    &R::setLine1_Misc,     &R::setLine2_Misc,     &R::setLine3_Misc,        &R::setLine4_Misc,
    &R::setLine5_Misc,     &R::setLine6_Misc,     &R::setLine7_Misc,        &R::setLine8_Misc,
    &R::setLine10_Misc,    &R::setLine11_Misc,    &R::setLine12_Misc,       &R::setLine14_Misc,
    &R::setLine16_1_Misc,  &R::setLine18_1_Misc,  &R::setDiv_Line1a,        &R::setDiv_Line1b,
    &R::setDiv_Line2a,     &R::setDiv_Sec199ADiv, &R::setDiv_Line2b,        &R::setDiv_Line2c,
    &R::setDiv_Line2d,     &R::setDiv_Line2e,     &R::setDiv_Line2f,        &R::setDiv_Line3,
    &R::setDiv_Line4,      &R::setDiv_Line5,      &R::setDiv_Line6,         &R::setDiv_Line8,
    &R::setDiv_Line9,      &R::setDiv_Line10,     &R::setDiv_Line11,        &R::setDiv_Line14_1,
    &R::setInt_Line1,      &R::setInt_Line2,      &R::setInt_Line3,         &R::setInt_Line4,
    &R::setInt_Line5,      &R::setInt_Line6,      &R::setInt_Line8,         &R::setInt_Line9,
    &R::setInt_Line15_1,   &R::setInt_Line10,     &R::setInt_Line11,        &R::setInt_Line16,
    &R::setInt_Line17,     &R::setR_Line1,        &R::setR_Line2a,          &R::setR_Line3,
    &R::setR_Line4,        &R::setR_Line5,        &R::setR_Line6,           &R::setR_Line8,
    &R::setR_Line9b,       &R::setR_Line10,       &R::setR_Line12_1,        &R::setR_Line14_1,
    &R::setS_Line2,        &R::setS_Line5,        &R::setLine1_NEC,         &R::setLine3_NEC,
    &R::setLine4_NEC,      &R::setLine5_1_NEC,    &R::setLine7_1_NEC};

std::string zeroPadded(int value, int width) {
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))), '0') + text;
}

// kPayers payers and the recipients, each inserted whole as the entry window saves it:
// names, address, state, numbers, codes and dates, and amounts of 100.00 to 9,099.99 that
// differ from row to row. The first tenth belongs to payer 0, the rest is spread over
// the others. One transaction, as a file's layout does not depend on how many.
bool fillEFileCompanyFile(CompanyDatabase& db, int recipients) {
    static const char* const kStates[] = {"Ohio-OH", "Texas-TX", "Kentucky-KY", "Wisconsin-WI", "California-CA"};
    if (!db.db->beginTransaction()) return false;
    bench::insertNumberedPayers(db, kPayers);
    for (int i = 0; i < recipients; ++i) {
        const int payer = i < recipients / 10 ? 0 : 1 + i % (kPayers - 1);
        RecipientInfo r;
        RecipientAdditionalInfo a;
        bench::setNumberedRecipient(i, payer, r, a);
        r.setAddress("Apt " + std::to_string(i % 97) + " 1200 Long Street Name");
        r.setCity("Springfield");
        r.setZip("62701-" + zeroPadded(i % 9999, 4));
        r.setState(kStates[i % 5]);
        r.setLine17_1_Misc("WI/0369");
        r.setInt_payerRTN("021000021");
        r.setR_Line7("7");
        r.setR_DateOfPayment("2/3/2025");
        r.setS_Line1("6/7/2025");
        const std::string amount = std::to_string(i % 9000 + 100) + "." + zeroPadded(i % 100, 2);
        for (auto set : kAmountSetters) (r.*set)(amount);
        a.setmiddleName("Q");
        if (!db.insertRecipientInfo(r, a)) return false;
    }
    return db.db->commit();
}

// A company file of the given size, with addresses, states and every amount of every
// kind, made once by a process of its own beside the keys of the main window's list of
// every recipient (the run's selection), and kept for later runs. Each run works on a
// fresh copy of it.
class EFileCompanyFile {
public:
    explicit EFileCompanyFile(int recipients) : recipients_(recipients) {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        path_ = folder_ + "/efile company file.db";
        const std::filesystem::path kept = std::filesystem::temp_directory_path() / "talvexa-bench-files";
        const std::string name = "efile-fire-entered-" + std::to_string(recipients);
        made_ = (kept / (name + ".db")).string();
        const std::string keysPath = (kept / (name + ".keys")).string();
        for (int p = 0; p < kPayers; ++p) payers_.push_back(p);
        std::error_code ec;
        if (!std::filesystem::exists(keysPath, ec)) {
            std::filesystem::create_directories(kept, ec);
            // Made under names of this run's own and moved into place when complete, so
            // that an interrupted making leaves nothing a later run would take as made.
            const std::string making = folder_ + "/making.db";
            const std::string keysMaking = folder_ + "/making.keys";
            const bool made = bench::inChildProcess([&] {
                CompanyDatabase db;
                if (!db.Init(making, false, false, true, "Bench")) return 1;
                const bool filled = fillEFileCompanyFile(db, recipients);
                // The main window's list of every recipient of the payers, in its order.
                std::vector<ComapnyInfo> listed(payers_.size());
                for (std::size_t i = 0; i < payers_.size(); ++i) listed[i].setPK(payers_[i]);
                std::vector<int32_t> keys;
                for (const auto& row : db.execRecipientFullInfoQuery(listed, "", 0, 0, 0))
                    keys.push_back(row.getPK());
                db.Close();
                std::ofstream out(keysMaking, std::ios::binary);
                out.write(reinterpret_cast<const char*>(keys.data()),
                          static_cast<std::streamsize>(keys.size() * sizeof(int32_t)));
                return filled && out && keys.size() == static_cast<std::size_t>(recipients) ? 0 : 1;
            });
            if (!made) std::abort();
            std::filesystem::copy_file(making, made_, std::filesystem::copy_options::overwrite_existing, ec);
            if (!ec) std::filesystem::copy_file(keysMaking, keysPath, std::filesystem::copy_options::overwrite_existing, ec);
            if (ec) std::abort();
        }
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
    std::string made_;   // as made and kept, never opened by a run
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
