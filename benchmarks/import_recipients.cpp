// The recipient import into one payer of the large company file (20 payers, 50,000
// recipients, the first payer holding 5,000 of all kinds): a tab-separated file of
// 10,000 1099-MISC recipients with twelve columns, of which the payer already has
// every 1099-MISC number it holds (834, about a twelfth), written with dashes; all of
// them are overwritten. Timed from reading the file to the commit (the chooser, the
// lists and the messages answer at once). Each run starts from a fresh copy of the file.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "AnsweringUserInterface.h"
#include "LargeCompanyFile.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/import/ImportCodes.h"
#include "core/import/RecipientImport.h"
#include "core/store/CompanyDatabase.h"

namespace {

constexpr int kImported = 10000;

// The shared answering layer, with the chooser answered by the file and every
// conflict chosen for overwriting.
class ImportAnswers : public bench::AnsweringUserInterface {
public:
    std::string file;
    size_t conflicts = 0;

    std::optional<std::string> chooseOpenFile(const OpenFileRequest&) override { return file; }
    int importConflicts(const std::vector<std::string>& names, std::vector<int>& rows) override {
        conflicts = names.size();
        rows.resize(names.size());
        std::iota(rows.begin(), rows.end(), 0);
        return kImportConflictsOKCode;
    }
};

const std::vector<std::string> kColumns = {
    "Recipient Tax Payer ID", "Business Name", "First Name", "Last Name(Surname)", "Address Line 1", "City",
    "State", "ZIP Code", "Account Number", "Box 1: Rents", "Box 2: Royalties", "Box 3: Other income"};

class Fixture {
public:
    Fixture() {
        resetSession();
        session().ui = &ui;
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        template_ = folder_ + "/template.db";
        working_ = folder_ + "/Large 2025.db";
        {
            CompanyDatabase db;
            if (!db.Init(template_, false, false, true, "Large")) std::abort();
            bench::fillLargeCompanyFile(db);
            db.Close();
        }
        // The first payer's 1099-MISC recipients are those at every sixth position.
        ui.file = folder_ + "/recipients.txt";
        std::ofstream out(ui.file);
        for (int i = 0; i < kImported; ++i) {
            const bool known = i * 6 < bench::kRecipientsOfFirstPayer;
            const std::string digits = std::to_string(known ? 100000000 + i * 6 : 200000000 + i);
            const std::string tin = digits.substr(0, 3) + "-" + digits.substr(3, 2) + "-" + digits.substr(5);
            if (i % 2 == 0)
                out << tin << "\tImported Business " << i << "\t\t\t";
            else
                out << tin << "\t\tFirst" << i << "\tSurname" << i << "\t";
            out << i << " Main Street\tAustin\ttx\t78701\tACCT-" << i << "\t" << i << ".25\t10.00\t\n";
        }
    }
    ~Fixture() {
        session().DBH.reset();
        std::filesystem::remove_all(folder_);
    }

    // A fresh copy of the large file, open as the main window's.
    void reopen() {
        session().DBH = std::make_shared<DatabaseHolder>();
        std::filesystem::copy_file(template_, working_, std::filesystem::copy_options::overwrite_existing);
        if (!session().DBH->companyDatabase()->Init(working_, true, false, true, "Large")) std::abort();
        session()._type = 1;
        session().CPK = 0;
    }
    void close() { session().DBH->companyDatabase()->Close(); }

    ImportAnswers ui;

private:
    std::string folder_, template_, working_;
};

void BM_ImportTenThousandRecipients(benchmark::State& state) {
    static Fixture fixture;
    int code = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.reopen();
        state.ResumeTiming();
        code = imports::runRecipientImport(imports::RecipientReader::Text, kColumns);
        state.PauseTiming();
        if (code != imports::kImportCompletedCode) std::abort();
        fixture.close();
        state.ResumeTiming();
    }
    state.counters["recipients"] = kImported;
    state.counters["overwritten"] = static_cast<double>(fixture.ui.conflicts);
}
BENCHMARK(BM_ImportTenThousandRecipients)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
