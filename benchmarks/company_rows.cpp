// The main window's recipient list on a large company file: 20 payers and 50,000
// recipients, one payer holding 5,000 of them.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

constexpr int kPayers = 20;
constexpr int kRecipients = 50000;
constexpr int kRecipientsOfPayer0 = 5000;

class LargeCompanyFile {
public:
    LargeCompanyFile() {
        resetSession();
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        if (!db_.Init(folder_ + "/large company file.db", false, false, true, "Bench")) std::abort();

        const int kinds[] = {1, 2, 3, 4, 5, 7};
        db_.db->beginTransaction();
        for (int p = 0; p < kPayers; ++p) {
            ComapnyInfo payer;
            payer.setName("Payer " + std::to_string(p));
            payer.setTaxID1("12-34567" + std::to_string(10 + p));
            db_.insertCompanyInfo(payer);
            ComapnyInfo listed;
            listed.setPK(p);
            all_.push_back(listed);
        }
        for (int i = 0; i < kRecipients; ++i) {
            const int payer = i < kRecipientsOfPayer0 ? 0 : 1 + i % (kPayers - 1);
            RecipientInfo r;
            r.setCompany_FK(payer);
            r.setType(kinds[i % 6]);
            r.setFirstName("First" + std::to_string(i % 997));
            r.setLastName("Last" + std::to_string(i % 1009));
            r.setTaxID(std::to_string(100000000 + i));
            r.setLine1_Misc("123.45");
            RecipientAdditionalInfo a;
            a.setCompany_FK(payer);
            a.setType(r.getType());
            a.setlastname("Surname" + std::to_string((i * 7919) % 10007));
            a.setname_typee("Individual");
            db_.insertRecipientInfo(r, a);
        }
        if (!db_.db->commit()) std::abort();
    }
    ~LargeCompanyFile() {
        db_.Close();
        std::filesystem::remove_all(folder_);
    }

    CompanyDatabase& db() { return db_; }
    const std::vector<ComapnyInfo>& all() const { return all_; }

private:
    std::string folder_;
    CompanyDatabase db_;
    std::vector<ComapnyInfo> all_;
};

LargeCompanyFile& largeFile() {
    static LargeCompanyFile file;
    return file;
}

void BM_JoinedListOfOnePayer(benchmark::State& state) {
    auto& file = largeFile();
    const std::vector<ComapnyInfo> one(file.all().begin(), file.all().begin() + 1);
    size_t rows = 0;
    for (auto _ : state) {
        auto list = file.db().execRecipientFullInfoQuery(one, "", 0, 0, 0);
        rows = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_JoinedListOfOnePayer)->Unit(benchmark::kMillisecond);

void BM_JoinedListOfAllPayers(benchmark::State& state) {
    auto& file = largeFile();
    size_t rows = 0;
    for (auto _ : state) {
        auto list = file.db().execRecipientFullInfoQuery(file.all(), "", 0, 0, 0);
        rows = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_JoinedListOfAllPayers)->Unit(benchmark::kMillisecond);

void BM_JoinedListOfOnePayerFiltered(benchmark::State& state) {
    auto& file = largeFile();
    const std::vector<ComapnyInfo> one(file.all().begin(), file.all().begin() + 1);
    for (auto _ : state) {
        auto list = file.db().execRecipientFullInfoQuery(one, "sur*1", 1, 1, 0);
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_JoinedListOfOnePayerFiltered)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
