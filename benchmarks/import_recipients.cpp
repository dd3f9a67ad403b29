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
//
// Files that can be read with LF lines or with CR lines are read both ways before they
// are imported. BM_ReadAmbiguousRecipientFile times that decision and one reading of the
// file (records visited one at a time, as the import reads them), each file beside the
// same file without its stray line break, tab- and comma-separated: 100,000 rows of LF
// lines with a lone CR in the first record's address, and 100,000 rows of 60 short
// columns (about 10 MB) in CR lines with one LF in a cell near the end. The text is read
// before the timed part; the peak beside it (peakMiB against baseMiB) is what the
// decision and the reading add. BM_ImportStrayCrInTheFirstRecipient imports the first of
// them beside its plain file.

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
#include "core/import/ImportFile.h"
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

// Recipient i of the imported files, in kColumns order. The first payer's 1099-MISC
// recipients are those at every sixth position.
std::vector<std::string> recipientRow(int i) {
    const bool known = i * 6 < bench::kRecipientsOfFirstPayer;
    const std::string digits = std::to_string(known ? 100000000 + i * 6 : 200000000 + i);
    const std::string tin = digits.substr(0, 3) + "-" + digits.substr(3, 2) + "-" + digits.substr(5);
    const std::string n = std::to_string(i);
    std::vector<std::string> fields = i % 2 == 0 ? std::vector<std::string>{tin, "Imported Business " + n, "", ""}
                                                 : std::vector<std::string>{tin, "", "First" + n, "Surname" + n};
    for (const std::string& f : {n + " Main Street", std::string("Austin"), std::string("tx"), std::string("78701"),
                                 "ACCT-" + n, n + ".25", std::string("10.00"), std::string()})
        fields.push_back(f);
    return fields;
}

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
        textFile = folder_ + "/recipients.txt";
        csvFile = folder_ + "/recipients.csv";
        strayCrFile = folder_ + "/stray.txt";
        std::ofstream out(textFile);
        std::ofstream csv(csvFile);
        std::ofstream stray(strayCrFile);
        for (int i = 0; i < imported; ++i) {
            const std::vector<std::string> fields = recipientRow(i);
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

void importFile(benchmark::State& state, imports::RecipientReader reader, const std::string& file) {
    Fixture& fixture = ::fixture(static_cast<int>(state.range(0)));
    fixture.ui.file = file;
    bench::timeInOwnProcesses(state, [&] { return fixture.reopen(); },
                              [&] {
                                  return imports::runRecipientImport(reader, kColumns) ==
                                         imports::kImportCompletedCode;
                              });
    state.counters["recipients"] = fixture.imported;
}

void importRecipients(benchmark::State& state, imports::RecipientReader reader, bool strayCrs = false) {
    Fixture& fixture = ::fixture(static_cast<int>(state.range(0)));
    importFile(state, reader,
               strayCrs ? fixture.strayCrFile
                        : reader == imports::RecipientReader::Csv ? fixture.csvFile : fixture.textFile);
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

// The files that can be read with LF lines or with CR lines, each beside the same file
// without its stray line break, tab- and comma-separated; made once.
class AmbiguousFiles {
public:
    static constexpr int kRows = 100000;
    static constexpr int kColumns60 = 60;

    AmbiguousFiles() {
        char pattern[] = "/tmp/talvexa-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        for (const char separator : {'\t', ','})
            for (int kind = 0; kind < 4; ++kind) {
                std::string& path = files_[separator == ','][kind];
                path = folder_ + "/file" + std::to_string(kind) + (separator == ',' ? ".csv" : ".txt");
                std::ofstream out(path, std::ios::binary);
                if (kind < 2) {
                    // The recipients unquoted in LF lines; kind 1: a lone CR in the first address.
                    for (int i = 0; i < kRows; ++i) {
                        const std::vector<std::string> fields = recipientRow(i);
                        for (size_t k = 0; k < fields.size(); ++k) {
                            out << (k ? std::string(1, separator) : "") << fields[k];
                            if (kind == 1 && i == 0 && k == 4) out << "\rSuite 1";
                        }
                        out << '\n';
                    }
                } else {
                    // CR lines of sixty short columns; kind 3: an LF in a cell of a row near the end.
                    for (int i = 0; i < kRows; ++i) {
                        for (int k = 0; k < kColumns60; ++k) {
                            out << (k ? std::string(1, separator) : "") << (i + k) % 10;
                            if (kind == 3 && i == kRows - 10 && k == 4) out << "\nx";
                        }
                        out << '\r';
                    }
                }
            }
    }
    ~AmbiguousFiles() { std::filesystem::remove_all(folder_); }

    const std::string& file(bool comma, int kind) const { return files_[comma][kind]; }

private:
    std::string folder_;
    std::string files_[2][4];
};

const AmbiguousFiles& ambiguousFiles() {
    static const AmbiguousFiles files;
    return files;
}

// A lone CR in the first address of an LF file (range 1: 1), against the same file
// without it (0); tab-separated (range 2: 0) and comma-separated (1), unquoted. Range 0
// is the rows of the files (AmbiguousFiles::kRows).
void BM_ImportStrayCrInTheFirstRecipient(benchmark::State& state) {
    const bool comma = state.range(2) == 1;
    importFile(state, comma ? imports::RecipientReader::Csv : imports::RecipientReader::Text,
               ambiguousFiles().file(comma, static_cast<int>(state.range(1))));
}
BENCHMARK(BM_ImportStrayCrInTheFirstRecipient)
    ->ArgNames({"rows", "strayCr", "comma"})
    ->ArgsProduct({{AmbiguousFiles::kRows}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseManualTime();

// Range 0: the file (0 LF lines, 1 the same with a lone CR in the first address, 2 CR
// lines of 60 columns, 3 the same with an LF near the end); range 1: tab-separated (0)
// or comma-separated (1).
void BM_ReadAmbiguousRecipientFile(benchmark::State& state) {
    const bool comma = state.range(1) == 1;
    const std::string& path = ambiguousFiles().file(comma, static_cast<int>(state.range(0)));
    std::string text;
    size_t records = 0;
    bench::timeInOwnProcesses(
        state,
        [&] {
            std::string failure;
            auto read = imports::readImportFile(path, failure);
            if (!read) return false;
            text = std::move(*read);
            return true;
        },
        [&] {
            records = 0;
            if (comma) {
                size_t unclosed = 0;
                return imports::forEachRecipientCsvRecord(text, unclosed, [&](imports::CsvRecord&) {
                    ++records;
                    return true;
                }) && records >= AmbiguousFiles::kRows - 10;
            }
            imports::forEachRecipientFileLine(text, [&](const std::string&) {
                ++records;
                return true;
            });
            return records >= AmbiguousFiles::kRows - 10;
        });
    state.counters["textMB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}
BENCHMARK(BM_ReadAmbiguousRecipientFile)
    ->ArgNames({"file", "comma"})
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
