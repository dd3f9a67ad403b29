// The recipient import into one payer of the large company file (20 payers, 50,000
// recipients, the first payer holding 5,000 of all kinds): a tab-separated file of
// 10,000 or 100,000 1099-MISC recipients with twelve columns, of which the payer
// already has every 1099-MISC number it holds (834), written with dashes; all of them
// are overwritten. Timed from reading the file to the commit (the chooser, the lists
// and the messages answer at once). Each run starts from a fresh copy of the file, in
// a process of its own, and reports its peak memory (peakMiB) beside its time. The
// same recipients as a comma-separated file, every field quoted as a spreadsheet saves
// it and the business names holding a comma, time the quoted reading as well; and the
// tab-separated file with a line break pasted into every address, saved as a lone CR,
// times the reading that tells such a file from one of CR lines.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include "AnsweringUserInterface.h"
#include "LargeCompanyFile.h"
#include "OwnProcess.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/import/ImportCodes.h"
#include "core/import/RecipientImport.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"

namespace {

// The shared answering layer, with the chooser answered by the file and every
// conflict chosen for overwriting.
class ImportAnswers : public bench::AnsweringUserInterface {
public:
    std::string file;

    std::optional<std::string> chooseOpenFile(const OpenFileRequest&) override { return file; }
    int importConflicts(const std::vector<std::string>& names, std::vector<int>& rows) override {
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
    explicit Fixture(int rows) : imported(rows) {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        template_ = folder_ + "/template.db";
        working_ = folder_ + "/Large 2025.db";
        // Made by a process of its own, so that the runs' peaks are theirs alone.
        const bool made = bench::inChildProcess([&] {
            CompanyDatabase db;
            if (!db.Init(template_, false, false, true, "Large")) return 1;
            bench::fillLargeCompanyFile(db);
            db.Close();
            return 0;
        });
        if (!made) std::abort();
        // The first payer's 1099-MISC recipients are those at every sixth position.
        textFile = folder_ + "/recipients.txt";
        csvFile = folder_ + "/recipients.csv";
        strayCrFile = folder_ + "/stray.txt";
        std::ofstream out(textFile);
        std::ofstream csv(csvFile);
        std::ofstream stray(strayCrFile);
        for (int i = 0; i < imported; ++i) {
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
                stray << (k ? "\t" : "") << fields[k] << (k == 4 ? "\rSuite 1" : "");
                // The spreadsheet's business name holds a comma.
                const std::string value = k == 1 && !fields[k].empty() ? fields[k] + ", Inc." : fields[k];
                csv << (k ? "," : "") << '"' << value << '"';
            }
            out << "\n";
            stray << "\n";
            csv << "\r\n";
        }
    }
    ~Fixture() { std::filesystem::remove_all(folder_); }

    // In the run's own process: a fresh copy of the large file, open as the main window's.
    bool reopen() {
        resetSession();
        session().ui = &ui;
        session().DBH = std::make_shared<DatabaseHolder>();
        std::filesystem::copy_file(template_, working_, std::filesystem::copy_options::overwrite_existing);
        if (!session().DBH->companyDatabase()->Init(working_, true, false, true, "Large")) return false;
        session()._type = 1;
        session().CPK = 0;
        return true;
    }

    const int imported;
    ImportAnswers ui;
    std::string textFile, csvFile, strayCrFile;

private:
    std::string folder_, template_, working_;
};

Fixture& fixture(int imported) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& f = fixtures[imported];
    if (!f) f = std::make_unique<Fixture>(imported);
    return *f;
}

void importRecipients(benchmark::State& state, imports::RecipientReader reader, bool strayCrs = false) {
    Fixture& fixture = ::fixture(static_cast<int>(state.range(0)));
    fixture.ui.file = reader == imports::RecipientReader::Csv ? fixture.csvFile : fixture.textFile;
    if (strayCrs) fixture.ui.file = fixture.strayCrFile;
    bench::timeInOwnProcesses(state, [&] { return fixture.reopen(); },
                              [&] {
                                  return imports::runRecipientImport(reader, kColumns) ==
                                         imports::kImportCompletedCode;
                              });
    state.counters["recipients"] = fixture.imported;
}

void BM_ImportRecipients(benchmark::State& state) { importRecipients(state, imports::RecipientReader::Text); }
BENCHMARK(BM_ImportRecipients)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

void BM_ImportQuotedCsvRecipients(benchmark::State& state) {
    importRecipients(state, imports::RecipientReader::Csv);
}
BENCHMARK(BM_ImportQuotedCsvRecipients)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

void BM_ImportStrayCrRecipients(benchmark::State& state) {
    importRecipients(state, imports::RecipientReader::Text, true);
}
BENCHMARK(BM_ImportStrayCrRecipients)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
