// The FIRE e-file over a large company file: 10,000 and 100,000 recipients of every
// form kind over five payers. The plain read (each payer's recipients of each kind with
// their additional rows through one joined statement, nothing else) against a whole
// Populate (gathering, completion marks, the file written), and the peak heap in use
// during a Populate, counted by this program's own operator new and delete.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/efile/EFile.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/E_FileInfo.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientInfo.h"
#include "LargeCompanyFile.h"

// ---- heap in use, counted by the global allocation functions ----------------------

namespace heap {

std::atomic<int64_t> inUse{0};
std::atomic<int64_t> peak{0};

void note(int64_t delta) {
    const int64_t now = inUse.fetch_add(delta, std::memory_order_relaxed) + delta;
    int64_t highest = peak.load(std::memory_order_relaxed);
    while (now > highest && !peak.compare_exchange_weak(highest, now, std::memory_order_relaxed)) {
    }
}

void* take(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (p) note(static_cast<int64_t>(malloc_usable_size(p)));
    return p;
}

void* takeAligned(std::size_t size, std::align_val_t alignment) {
    const auto a = static_cast<std::size_t>(alignment);
    void* p = std::aligned_alloc(a, (size + a - 1) / a * a);
    if (p) note(static_cast<int64_t>(malloc_usable_size(p)));
    return p;
}

void give(void* p) {
    if (!p) return;
    note(-static_cast<int64_t>(malloc_usable_size(p)));
    std::free(p);
}

}  // namespace heap

void* operator new(std::size_t size) {
    if (void* p = heap::take(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = heap::take(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return heap::take(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return heap::take(size); }
void* operator new(std::size_t size, std::align_val_t a) {
    if (void* p = heap::takeAligned(size, a)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t a) {
    if (void* p = heap::takeAligned(size, a)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { heap::give(p); }
void operator delete[](void* p) noexcept { heap::give(p); }
void operator delete(void* p, std::size_t) noexcept { heap::give(p); }
void operator delete[](void* p, std::size_t) noexcept { heap::give(p); }
void operator delete(void* p, std::align_val_t) noexcept { heap::give(p); }
void operator delete[](void* p, std::align_val_t) noexcept { heap::give(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { heap::give(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { heap::give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { heap::give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { heap::give(p); }

namespace {

constexpr int kPayers = 5;
const int kKinds[] = {1, 2, 3, 4, 5, 7};

// A company file of the given size, with addresses, states and amounts of every kind,
// opened as the session's company database with every payer and recipient selected.
class EFileCompanyFile {
public:
    explicit EFileCompanyFile(int recipients) : recipients_(recipients) {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        if (!db_.Init(folder_ + "/efile company file.db", false, false, true, "Bench")) std::abort();
        bench::fillLargeCompanyFile(db_, kPayers, recipients, recipients / 10);
        const bool filled = db_.db->executeStatements(
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
        if (!filled) std::abort();
        for (int p = 0; p < kPayers; ++p) payers_.push_back(p);
    }
    ~EFileCompanyFile() {
        db_.Close();
        std::filesystem::remove_all(folder_);
    }

    CompanyDatabase& db() { return db_; }
    const std::vector<int32_t>& payers() const { return payers_; }
    const std::string& folder() const { return folder_; }
    int recipients() const { return recipients_; }

    // Makes this file the session's company database, with the main window's list
    // order as the recipient selection.
    void select(std::shared_ptr<CompanyDatabase> shared) {
        resetSession();
        session().DBH = std::make_shared<DatabaseHolder>();
        session().DBH->setCompanyDatabase(std::move(shared));
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
        for (const auto& row : db_.execRecipientFullInfoQuery(listed, "", 0, 0, 0)) keys.push_back(row.getPK());
        session().recp_details = std::make_shared<Recipient>();
        session().recp_details->setSelectedRecipients(std::move(keys));
    }

    void clearMarks() {
        if (!db_.db->executeStatements("update recipients set completed = 0;"
                                       "update recipients_additionalinfo set completed = 0;"))
            std::abort();
    }

private:
    int recipients_;
    std::string folder_;
    CompanyDatabase db_;
    std::vector<int32_t> payers_;
};

// The files stay open for the whole run; the session shares them without owning them.
EFileCompanyFile& fileOf(int recipients) {
    static std::map<int, std::unique_ptr<EFileCompanyFile>> files;
    auto& file = files[recipients];
    if (!file) file = std::make_unique<EFileCompanyFile>(recipients);
    return *file;
}

std::shared_ptr<CompanyDatabase> unowned(CompanyDatabase& db) {
    return std::shared_ptr<CompanyDatabase>(&db, [](CompanyDatabase*) {});
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
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        for (int32_t payer : file.payers()) {
            for (int kind : kKinds) {
                auto rs = file.db().db->executeQuery(sql, payer, kind);
                while (rs && rs->next()) {
                    RecipientInfo r;
                    RecipientAdditionalInfo a;
                    file.db().FillRecipient(r, *rs);
                    file.db().FillRecipientadditonalfields(a, *rs);
                    benchmark::DoNotOptimize(r);
                    benchmark::DoNotOptimize(a);
                    ++rows;
                }
            }
        }
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_PlainRead)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Populate(benchmark::State& state) {
    auto& file = fileOf(static_cast<int>(state.range(0)));
    file.select(unowned(file.db()));
    const std::string output = file.folder() + "/1099_E-File.txt";
    const E_FileInfo t = transmitter();
    int64_t peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        file.clearMarks();
        std::filesystem::remove(output);
        const int64_t before = heap::inUse.load();
        heap::peak.store(before);
        state.ResumeTiming();

        EFile writer;
        const EFileResult result = writer.Populate(t, output);
        if (!result.ok()) {
            state.SkipWithError(result.message.c_str());
            break;
        }

        state.PauseTiming();
        peak = std::max(peak, heap::peak.load() - before);
        state.ResumeTiming();
    }
    std::error_code ec;
    state.counters["fileMB"] = static_cast<double>(std::filesystem::file_size(output, ec)) / 1e6;
    state.counters["peakHeapMB"] = static_cast<double>(peak) / (1024.0 * 1024.0);
    resetSession();
}
BENCHMARK(BM_Populate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
