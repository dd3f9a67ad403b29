// The IRIS export over a large company file: 100,000 selected 1099-NEC recipients of
// one payer, in the main window's list order. The plain read (each file's 100
// recipients with their additional rows through one joined statement) against the
// whole export (the payer check of the selection, then per file the read, the payer,
// the text and the atomic write of its 1,000 files into a temporary folder). Each run
// is a process of its own that opens the file and draws the main window's list before
// it is timed: baseMiB is its peak memory then, peakMiB after the run.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "OwnProcess.h"
#include "core/efile/IrisExport.h"
#include "core/efile/IrisFile.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

constexpr int kRecipients = 100000;
constexpr int32_t kKind = 7;

class IrisCompanyFile {
public:
    IrisCompanyFile() {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        path_ = folder_ + "/iris company file.db";
        // Made by a process of its own, so that the runs' peaks are theirs alone.
        if (!bench::inChildProcess([&] {
                fill();
                return 0;
            }))
            std::abort();
    }
    ~IrisCompanyFile() { std::filesystem::remove_all(folder_); }

    // In the run's own process: the file opened, and the selection as the main window
    // lists it (by surname, first and last name).
    bool open() {
        if (!db_.Init(path_, false, false, true, "Bench")) return false;
        ComapnyInfo listed;
        listed.setPK(0);
        keys_.clear();
        for (const auto& row : db_.execRecipientFullInfoQuery({listed}, "", 0, kKind, 0)) keys_.push_back(row.getPK());
        return keys_.size() == static_cast<std::size_t>(kRecipients);
    }

    CompanyDatabase& db() { return db_; }
    const std::vector<int32_t>& keys() const { return keys_; }
    const std::string& folder() const { return folder_; }

private:
    void fill() {
        if (!db_.Init(path_, false, false, true, "Bench")) std::abort();
        if (!db_.db->beginTransaction()) std::abort();
        ComapnyInfo payer;
        payer.setName("Harbor View Dental");
        payer.setTaxID1("12-3456789");
        payer.setAddress1("500 Commerce Way");
        payer.setCity1("Columbus");
        payer.setState1("Ohio-OH");
        payer.setZip1("43215-0001");
        payer.setPhone1("6145550100");
        payer.setPayernametype("Business Name");
        payer.setPayertintype("EIN");
        payer.setPayerphone_type("Domestic");
        payer.setPayerbussinessadd2("Suite 100");
        payer.setpayercountry("United States");
        payer.setCombineStateIRIS(true);
        if (!db_.insertCompanyInfo(payer)) std::abort();
        const char* states[] = {"Ohio-OH", "Texas-TX", "Kentucky-KY", "Wisconsin-WI", "California-CA"};
        for (int i = 0; i < kRecipients; ++i) {
            RecipientInfo r;
            r.setCompany_FK(0);
            r.setType(kKind);
            r.setFirstName("First" + std::to_string(i % 997));
            r.setLastName("Last" + std::to_string(i % 1009));
            r.setTaxID(std::to_string(100000000 + i));
            r.setAddress("Apt " + std::to_string(i % 97) + " 1200 Long Street Name");
            r.setCity("Springfield");
            r.setState(states[i % 5]);
            r.setZip("62701-" + std::to_string(1000 + i % 9000));
            r.setCountry("United States");
            r.setAccountNumber("ACCT-" + std::to_string(i));
            r.setLine1_NEC("1,500.00");
            r.setLine4_NEC("150.00");
            r.setLine5_1_NEC("75.00");
            r.setLine6_1_NEC("WI/0369");
            r.setLine7_1_NEC("1500.00");
            RecipientAdditionalInfo a;
            a.setCompany_FK(0);
            a.setType(kKind);
            a.setlastname("Surname" + std::to_string((i * 7919) % 10007));
            a.setmiddleName("Q");
            a.setname_typee("Individual");
            a.settin_type("SSN");
            a.setOfficecode("0042");
            a.setTopState_NEC(states[(i + 1) % 5]);
            a.setLine9_1_NEC("special, \"data\"");
            if (!db_.insertRecipientInfo(r, a)) std::abort();
        }
        if (!db_.db->commit()) std::abort();
        db_.Close();
    }

    std::string folder_;
    std::string path_;
    CompanyDatabase db_;
    std::vector<int32_t> keys_;
};

IrisCompanyFile& companyFile() {
    static IrisCompanyFile file;
    return file;
}

void BM_PlainRead(benchmark::State& state) {
    auto& file = companyFile();
    bench::timeInOwnProcesses(state, [&] { return file.open(); },
                              [&] {
                                  IrisExport exporter(file.db(), file.keys());
                                  std::vector<IrisRecipient> read;
                                  for (std::size_t k = 0; k < exporter.fileCount(); ++k) {
                                      if (!exporter.readFile(k, read)) return false;
                                      benchmark::DoNotOptimize(read);
                                  }
                                  return true;
                              });
    state.counters["recipients"] = kRecipients;
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

// Arg 0 writes beside the company file (on disk); arg 1 into a folder on /dev/shm,
// where the writer's flushes to the disk cost nothing, to tell them from the rest.
void BM_Export(benchmark::State& state) {
    auto& file = companyFile();
    std::string out = file.folder() + "/out";
    if (state.range(0) == 1) {
        char pattern[] = "/dev/shm/talvexa-bench-XXXXXX";
        if (!mkdtemp(pattern)) {
            state.SkipWithError("no /dev/shm");
            return;
        }
        out = pattern;
    }
    const auto exportAll = [&] {
        IrisExport exporter(file.db(), file.keys());
        const auto payers = exporter.payers();
        if (!payers || payers->size() != 1) return false;
        IrisFile builder;
        std::vector<IrisRecipient> read;
        for (std::size_t k = 0; k < exporter.fileCount(); ++k) {
            if (!exporter.readFile(k, read)) return false;
            const ComapnyInfo payer = file.db().getCompanyInfoIRIS(payers->front());
            const std::string text = builder.build(kKind, payer, read);
            if (!IrisExport::save(out + "/" + IrisFile::proposedName(kKind, k), text).empty()) return false;
        }
        return true;
    };
    bench::timeInOwnProcesses(
        state,
        [&] {
            std::filesystem::remove_all(out);
            std::filesystem::create_directories(out);
            return file.open();
        },
        exportAll);
    std::size_t files = 0;
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(out)) {
        ++files;
        bytes += entry.file_size();
    }
    state.counters["files"] = static_cast<double>(files);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
    std::filesystem::remove_all(out);
}
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
