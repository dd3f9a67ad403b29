// The checks the print and e-file commands run before they hand a selection on, on the
// shared large company file (20 payers, 50,000 recipients): the payer holding 5,000
// recipients is selected with all of its recipients. The print form reads the
// recipient records; the e-file form reads both records of every recipient and looks
// for a mix of corrected and original recipients.
//
// Every figure is wall time: the user waits for the disk as well as the processor.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "LargeCompanyFile.h"
#include "core/checks/ValidationList.h"
#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientInfo.h"

namespace {

class SelectedLargePayer {
public:
    SelectedLargePayer() {
        resetSession();
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        if (!db.Init(folder_ + "/Large 2025.db", false, true, true, "Large")) std::abort();
        bench::fillLargeCompanyFile(db);
        companies.setSelectedCompanies({0});
        for (const RecipientInfo& r : db.getRecipients(0, 0)) {
            recipients.selectedRecipients().push_back(r.getPK());
            recipients.selectedType().push_back(r.getType());
        }
        if (recipients.selectedRecipients().size() != static_cast<size_t>(bench::kRecipientsOfFirstPayer))
            std::abort();
    }
    ~SelectedLargePayer() {
        db.Close();
        std::filesystem::remove_all(folder_);
    }

    CompanyDatabase db;
    Company companies;
    Recipient recipients;

private:
    std::string folder_;
};

SelectedLargePayer& largePayer() {
    static SelectedLargePayer payer;
    return payer;
}

void BM_PrintValidationList(benchmark::State& state) {
    SelectedLargePayer& p = largePayer();
    for (auto _ : state) {
        const ValidationList list = checkSelectedForErrors(p.db, p.companies, 1, p.recipients);
        // Nothing in the file is validated: the payer and every recipient are listed.
        if (!list.complete || list.lines.size() != static_cast<size_t>(bench::kRecipientsOfFirstPayer) + 3)
            std::abort();
        benchmark::DoNotOptimize(list);
    }
    state.counters["recipients"] = bench::kRecipientsOfFirstPayer;
}
BENCHMARK(BM_PrintValidationList)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_EFileValidationList(benchmark::State& state) {
    SelectedLargePayer& p = largePayer();
    for (auto _ : state) {
        const EFileValidationList list = checkEFileSelection(p.db, p.companies, 1, p.recipients);
        if (!list.complete || list.mixesCorrections ||
            list.lines.size() != static_cast<size_t>(bench::kRecipientsOfFirstPayer) + 3)
            std::abort();
        benchmark::DoNotOptimize(list);
    }
    state.counters["recipients"] = bench::kRecipientsOfFirstPayer;
}
BENCHMARK(BM_EFileValidationList)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
