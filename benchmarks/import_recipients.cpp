// The recipient import into one payer of the large company file (20 payers, 50,000
// recipients, the first payer holding 5,000 of all kinds): a tab-separated file of
// 10,000 1099-MISC recipients with twelve columns, of which the payer already has
// every 1099-MISC number it holds (834, about a twelfth), written with dashes; all of
// them are overwritten. Timed from reading the file to the commit (the chooser, the
// lists and the messages answer at once). Each run starts from a fresh copy of the file.
// The same recipients as a comma-separated file, every field quoted as a spreadsheet
// saves it and the business names holding a comma, time the quoted reading as well.

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
        textFile = folder_ + "/recipients.txt";
        csvFile = folder_ + "/recipients.csv";
        std::ofstream out(textFile);
        std::ofstream csv(csvFile);
        for (int i = 0; i < kImported; ++i) {
            const bool known = i * 6 < bench::kRecipientsOfFirstPayer;
            const std::string digits = std::to_string(known ? 100000000 + i * 6 : 200000000 + i);
            const std::string tin = digits.substr(0, 3) + "-" + digits.substr(3, 2) + "-" + digits.substr(5);
            const std::string n = std::to_string(i);
            std::vector<std::string> fields =
                i % 2 == 0 ? std::vector<std::string>{tin, "Imported Business " + n, "", ""}
                           : std::vector<std::string>{tin, "", "First" + n, "Surname" + n};
            for (const std::string& f : {n + " Main Street", std::string("Austin"), std::string("tx"),
                                         std::string("78701"), "ACCT-" + n, n + ".25", std::string("10.00"),
                                         std::string()})
                fields.push_back(f);
            for (size_t k = 0; k < fields.size(); ++k) {
                out << (k ? "\t" : "") << fields[k];
                // The spreadsheet's business name holds a comma.
                const std::string value = k == 1 && !fields[k].empty() ? fields[k] + ", Inc." : fields[k];
                csv << (k ? "," : "") << '"' << value << '"';
            }
            out << "\n";
            csv << "\r\n";
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
    std::string textFile, csvFile;

private:
    std::string folder_, template_, working_;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void importTenThousand(benchmark::State& state, imports::RecipientReader reader) {
    Fixture& fixture = ::fixture();
    fixture.ui.file = reader == imports::RecipientReader::Csv ? fixture.csvFile : fixture.textFile;
    int code = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.reopen();
        state.ResumeTiming();
        code = imports::runRecipientImport(reader, kColumns);
        state.PauseTiming();
        if (code != imports::kImportCompletedCode) std::abort();
        fixture.close();
        state.ResumeTiming();
    }
    state.counters["recipients"] = kImported;
    state.counters["overwritten"] = static_cast<double>(fixture.ui.conflicts);
}

void BM_ImportTenThousandRecipients(benchmark::State& state) { importTenThousand(state, imports::RecipientReader::Text); }
BENCHMARK(BM_ImportTenThousandRecipients)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ImportTenThousandQuotedCsvRecipients(benchmark::State& state) {
    importTenThousand(state, imports::RecipientReader::Csv);
}
BENCHMARK(BM_ImportTenThousandQuotedCsvRecipients)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
