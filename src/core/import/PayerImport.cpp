#include "core/import/PayerImport.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <set>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/JobMeter.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/Utils.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportCodes.h"
#include "core/import/ImportColumnChoices.h"
#include "core/import/ImportFile.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMError.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"

namespace imports {

namespace {

constexpr int32_t kYear = 2025;
// The payroll export's name column, which keeps its value as read.
constexpr int kPayrollName = -2;

bool isAsciiLetter(char32_t c) { return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z'); }

std::string trimBlanksAndTabs(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

void applyPayerColumn(int column, const std::string& value, PayerReader reader, ComapnyInfo& p) {
    const bool business = p.getpayernametype() == "Business Name";
    // The .txt reader leaves a business without the parts of a person's name.
    auto namePart = [&]() { return reader == PayerReader::Text && business ? std::string() : value; };
    switch (column) {
        case 0: p.setpayertintype(value); break;
        case 1:
            if (value.empty()) break;
            p.setTaxID(value);
            if (!Utils::isValidTaxID(value)) p.setValidated(false);
            break;
        case 2: p.setpayernametype(value == "b" || value == "B" ? "Business Name" : "Individual"); break;
        case 3:
        case kPayrollName: {
            if (value.empty()) break;
            const std::string name =
                column == 3 && value.find(' ') != std::string::npos ? trimBlanksAndTabs(value) : value;
            p.setName(name);
            if (!Utils::isValidLength(name, 1, 40)) p.setValidated(false);
            break;
        }
        case 4: p.setpayerfirstname(namePart()); break;
        case 5: p.setpayermiddleName(namePart()); break;
        case 6: p.setpayerlastname(namePart()); break;
        case 7: p.setpayersuffix(namePart()); break;
        case 8: p.setpayercountry(value); break;
        case 9:
            if (value.empty()) break;
            p.setAddress(p.getAddress().empty() ? value : value + " " + p.getAddress());
            break;
        case 10: p.setpayerbussinessadd2(value); break;
        case 11:
            if (!value.empty()) p.setCity(value);
            break;
        case 12: p.setState1(importedState(value, true)); break;
        case 13:
            if (!value.empty()) p.setZip(value);
            break;
        case 14:
            p.setpayerphone_type(value == "Domestic" || value == "D" || value == "d" ? "Domestic" : "International");
            break;
        case 15:
            if (!value.empty()) p.setPhone(value);
            break;
        default: break;
    }
}

// The payroll export's columns as the catalogue rules that read them.
const std::vector<int>& payrollColumns() {
    static const std::vector<int> columns = {kPayrollName, 1, 9, 11, 12, 13, 15};
    return columns;
}

void failureBox(const std::string& details) {
    tvDatabase::tvMessageBox("Unable to import.", details, kMessageStyleOK, "Import Failed", kMessageImageError, false);
}

std::function<void(const std::string&)>& checkpointHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

// A point between two steps of putting the payers into their files, where a test may
// stop the run as a crash would.
void checkpoint(const std::string& step) {
    if (checkpointHook()) checkpointHook()(step);
}

void removeDatabaseFiles(const std::string& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) platform::removePath(path + suffix);
}

// One payer on its way into its company database.
struct Target {
    ComapnyInfo payer;
    std::string readName;    // the name as read, for the messages
    std::string fileName;    // without " 2025.db"
    std::string path;
};

// The payers of one company database file, in file order.
struct FileGroup {
    std::string path;
    std::string fileName;
    std::string readName;   // of its first payer: the list entry's company name
    std::vector<const Target*> payers;
    bool existed = false;   // the file was there before the run
    bool inPlace = false;   // a new file that has been renamed into place
    std::vector<int32_t> addedKeys;   // payers this run added to a file that existed
    // A new file under its temporary name until it is put in place.
    std::shared_ptr<platform::FileReplacement> made;
};

// The same payer: a file made by an earlier run that stopped before it listed the file
// holds it already, and must not receive it a second time.
bool samePayer(const ComapnyInfo& a, const ComapnyInfo& b) {
    return a.getName() == b.getName() && a.getTaxID1() == b.getTaxID1();
}

// The payers of an open company database; false when they cannot all be read.
bool payersOf(CompanyDatabase& file, std::vector<ComapnyInfo>& payers, std::string& reason) {
    auto rs = file.db->executeQuery("select pk from companies order by pk;");
    if (!rs) {
        reason = file.db->lastErrorMessage();
        return false;
    }
    std::vector<int32_t> keys;
    FMError error;
    while (rs->nextWithError(&error)) keys.push_back(rs->intForColumnIndex(0));
    rs->close();
    if (error.code != 0) {
        reason = error.description;
        return false;
    }
    for (int32_t key : keys) payers.push_back(file.getCompanyInfo1(key));
    return true;
}

// Takes back what a failed run made: the new files (in place or not) and the payers it
// added to files that were there before.
void undo(const std::vector<FileGroup>& groups) {
    for (const FileGroup& g : groups) {
        if (!g.existed) {
            if (g.inPlace) removeDatabaseFiles(g.path);
            else if (g.made) g.made->abandon();
            continue;
        }
        if (g.addedKeys.empty()) continue;
        CompanyDatabase file;
        if (!file.Init(g.path, false, false, true, "", CompanyDatabase::OpenFailures::quiet)) continue;
        const int32_t deleted = session().CompanyDeleted;
        for (int32_t key : g.addedKeys) {
            ComapnyInfo payer;
            payer.setPK(key);
            file.deleteCompany(payer);
        }
        session().CompanyDeleted = deleted;
    }
}

// Builds a new company database with its payers under a temporary name beside its
// place; it takes its place only once it is complete.
bool buildNewFile(FileGroup& g, std::string& reason) {
    g.made = std::make_shared<platform::FileReplacement>(g.path, platform::FileReplacement::Mode::newFileOnly);
    if (!g.made->ok()) {
        reason = g.made->error();
        return false;
    }
    const std::string& partial = g.made->temporaryPath();
    CompanyDatabase file;
    if (!file.CreateNew(partial, g.fileName, kYear, CompanyDatabase::OpenFailures::quiet) ||
        !file.Init(partial, false, true, true, g.fileName, CompanyDatabase::OpenFailures::quiet)) {
        reason = file.openFailure();
        return false;
    }
    const bool ok = runWrite(
        *file.db,
        [&](WriteGuard&) {
            if (!file.SetYear(kYear) || !file.SetName(g.fileName) || !file.SetBackup(false)) return false;
            for (const Target* t : g.payers)
                if (!file.insertCompanyInfo(t->payer)) return false;
            return true;
        },
        [&](const std::string& why) { reason = why; });
    return ok;
}

// Gives a file that was there before the payers it does not hold yet, in one
// transaction.
bool extendFile(FileGroup& g, std::string& reason) {
    CompanyDatabase file;
    if (!file.Init(g.path, true, true, true, g.fileName, CompanyDatabase::OpenFailures::quiet)) {
        reason = file.openFailure();
        return false;
    }
    std::vector<ComapnyInfo> held;
    bool ok = payersOf(file, held, reason);
    std::vector<int32_t> added;
    if (ok)
        ok = runWrite(
            *file.db,
            [&](WriteGuard&) {
                for (const Target* t : g.payers) {
                    if (std::any_of(held.begin(), held.end(),
                                    [&](const ComapnyInfo& h) { return samePayer(h, t->payer); }))
                        continue;
                    if (!file.insertCompanyInfo(t->payer)) return false;
                    added.push_back(file.getCompanyPK());
                    held.push_back(t->payer);
                }
                return true;
            },
            [&](const std::string& why) { reason = why; });
    if (ok) g.addedKeys = std::move(added);
    return ok;
}

bool folderAcceptsDatabases(const std::string& folder) {
    if (platform::isDirectory(folder) && tvDatabase::CanCreateFile(folder, false, "", "")) return true;
    failureBox(tvDatabase::accessAdviceText(folder, "The folder \"" + folder +
                                                        "\" does not accept new company databases. No company "
                                                        "was imported."));
    return false;
}

// The payers grouped by the file they go into, in the order of their first payers.
std::vector<FileGroup> groupByFile(const std::vector<Target>& targets) {
    std::vector<FileGroup> groups;
    for (const Target& t : targets) {
        auto g = std::find_if(groups.begin(), groups.end(), [&](const FileGroup& x) { return x.path == t.path; });
        if (g == groups.end()) {
            groups.push_back(
                FileGroup{t.path, t.fileName, t.readName, {}, platform::fileExists(t.path), false, {}, nullptr});
            g = groups.end() - 1;
        }
        g->payers.push_back(&t);
    }
    return groups;
}

// Every file that is there already must open as a company database before any is made.
bool existingFilesOpen(const std::vector<FileGroup>& groups) {
    for (const FileGroup& g : groups) {
        if (!g.existed) continue;
        CompanyDatabase probe;
        const bool opens = probe.Init(g.path, false, false, true, g.fileName, CompanyDatabase::OpenFailures::quiet);
        const std::string reason = probe.openFailure();
        if (!opens) {
            failureBox("The payer \"" + g.readName + "\" belongs in the company database \"" + g.path +
                       "\", which cannot be opened.\n\n" + reason + "\n\nNo company was imported.");
            return false;
        }
    }
    return true;
}

// Builds the new files under their temporary names, gives the files that existed their
// new payers, then puts the new files in place. A failure takes back what was made and
// names the payer.
bool fillFiles(std::vector<FileGroup>& groups) {
    const auto fail = [&](const FileGroup& g, const std::string& reason) {
        undo(groups);
        failureBox("Unable to create the company database \"" + g.path + "\" for the payer \"" + g.readName +
                   "\".\n\n" + reason + "\n\nNo company was imported.");
        return false;
    };
    for (FileGroup& g : groups) {
        if (g.existed) continue;
        std::string reason;
        if (!buildNewFile(g, reason)) return fail(g, reason);
        checkpoint("built " + g.fileName);
    }
    for (FileGroup& g : groups) {
        if (!g.existed) continue;
        std::string reason;
        if (!extendFile(g, reason)) return fail(g, reason);
        checkpoint("extended " + g.fileName);
    }
    for (FileGroup& g : groups) {
        if (g.existed) continue;
        // Never over a file that came meanwhile.
        if (!g.made->commit()) return fail(g, "The new database could not be put in place.\n\n" + g.made->error());
        g.inPlace = true;
        checkpoint("in place " + g.fileName);
    }
    return true;
}

// Lists the files not listed yet, all in one transaction; a failure takes back what the
// run made.
bool registerFiles(const std::vector<FileGroup>& groups, AppDatabase& app) {
    std::set<std::string> listed;
    for (const auto& entry : app.SelectDatabaseList()) listed.insert(entry.path());
    std::string reason;
    const FileGroup* failed = nullptr;
    const bool registered = app.db() && runWrite(
        *app.db(),
        [&](WriteGuard&) {
            for (const FileGroup& g : groups) {
                if (listed.count(g.path)) continue;
                databaseInfo entry(g.fileName, g.path, kYear, true, "");
                entry.setCompanyName(Utils::compNameTrim(g.readName));
                if (!app.InsertDatabaseInfo(entry)) {
                    failed = &g;
                    return false;
                }
            }
            checkpoint("listed");
            return true;
        },
        [&](const std::string& why) { reason = why; });
    if (!registered) {
        undo(groups);
        // A failed entry has shown its own reason.
        if (!failed)
            failureBox("The new company databases could not be added to the list of company databases.\n\n" + reason +
                       "\n\nNo company was imported.");
        return false;
    }
    checkpoint("registered");
    return true;
}

// Puts every payer into its company database and lists the new databases. Every new
// file is built completely under a temporary name and renamed into place; then all of
// them are listed in one transaction, so a run stopped at any point has listed either
// none of them or all. A run that fails takes back what it made and names the payer.
bool createDatabases(const std::vector<Target>& targets, AppDatabase& app, const std::string& folder) {
    if (!folderAcceptsDatabases(folder)) return false;
    if (targets.empty()) return true;
    std::vector<FileGroup> groups = groupByFile(targets);
    return existingFilesOpen(groups) && fillFiles(groups) && registerFiles(groups, app);
}

// One import run, step by step. Each step returns whether the run goes on; a step that
// stops it leaves the code the window ends with in code_.
class PayerRun {
public:
    PayerRun(PayerReader reader, const std::vector<std::string>& chosen)
        : reader_(reader), chosen_(chosen), payroll_(reader == PayerReader::Payroll) {
        const auto& holder = session().DBH;
        cdb_ = holder ? holder->companyDatabase() : nullptr;
        app_ = holder ? holder->appDatabase() : nullptr;
    }

    int run() {
        if (!closeOpenDatabase() || !hasConfiguration() || !readFile() || !splitLines() || !readPayers() ||
            !readSomePayer() || !confirmNotValid() || !refuseListedCompanies() || !makeDatabases())
            return code_;
        return finish();
    }

private:
    // The choice goes into the database the window loaded it from, before that closes.
    bool closeOpenDatabase() {
        if (cdb_ && cdb_->IsReady()) savePayerColumns(*cdb_, chosen_);
        if (payroll_) return true;
        if (!userInterface().closeDatabase(false, false)) return false;
        if (cdb_) cdb_->Close();
        if (std::find(chosen_.begin(), chosen_.end(), "Payer's Name") != chosen_.end()) return true;
        askUser("", "'Payer's Name' is a required field. Please add 'Payer's Name' to the list of selected fields any "
                "position.", kMessageStyleOK, "Unable to Import", kMessageImagePlain, true);
        return false;
    }

    bool hasConfiguration() const { return app_ && app_->IsReady() && session().configDir; }

    // The file, and the columns it is read by.
    bool readFile() {
        const std::optional<std::string> path = userInterface().chooseOpenFile(
            OpenFileRequest{"Choose the file to import", reader_ == PayerReader::Csv ? "csv" : "txt", "Text File", {}});
        if (!path) {
            userInterface().openRecentDatabase();
            userInterface().refreshMainWindow();
            return false;
        }
        std::string failure;
        std::optional<std::string> text = readImportFile(*path, failure);
        if (!text) {
            failureBox(failure);
            return false;
        }
        path_ = *path;
        text_ = std::move(*text);
        fileName_ = fileNameOf(path_);
        if (payroll_) columns_ = payrollColumns();
        else
            for (const std::string& name : chosen_) columns_.push_back(payerCatalogueIndex(name));
        return true;
    }

    // The lines as fields: a comma-separated file is read with its quoting.
    bool splitLines() {
        if (reader_ != PayerReader::Csv) {
            for (const std::string& line : payerTextLines(text_)) lines_.push_back(splitFields(line, '\t'));
            return true;
        }
        size_t unclosedLine = 0;
        const auto records = payerCsvRecords(text_, unclosedLine);
        if (!records) {
            failureBox(unclosedQuoteText(path_, unclosedLine));
            return false;
        }
        for (const CsvRecord& r : *records) lines_.push_back(r.fields);
        return true;
    }

    // Lines to payers. The not-valid list names the payers that failed a check and the
    // lines that could not be imported, in file order.
    bool readPayers() {
        meter_.emplace("Import Payers", true);
        meter_->step("Reading " + fileName_, static_cast<int64_t>(lines_.size()));
        for (size_t i = 0; i < lines_.size(); ++i) {
            if (meter_->advance(static_cast<int64_t>(i))) return false;
            if (!readLine(i)) return false;
        }
        return true;
    }

    // One line: a payer accepted, a line left out, or the end of the run.
    bool readLine(size_t i) {
        const std::string n = std::to_string(i + 1);
        const std::vector<std::string>& fields = lines_[i];
        if (payroll_ && fields.size() > payrollColumns().size()) {
            askUser("", "Too many import fields on line " + n, kMessageStyleOK, "Import Failed", kMessageImagePlain);
            return false;
        }
        // A blank line before the first payer (or in the payroll export) stops the import,
        // and says so: nothing is made; after a payer it is passed over.
        if (fields.size() == 1 && (fields[0].empty() || fields[0] == " ")) {
            if (!payroll_ && !accepted_.empty()) return true;
            stopAtBlankLine(n, fields[0].empty());
            return false;
        }
        // A row of separators only (a spreadsheet writes them after its data) is no payer.
        if (allFieldsEmpty(fields)) {
            ++emptyRows_;
            return true;
        }
        ComapnyInfo payer = payerFromLine(fields, columns_, reader_);
        if (payer.getName().empty()) return skipNameless(n);
        if (!payer.getValidated()) notValid_.push_back(payer.getName());
        accepted_.push_back(std::move(payer));
        return true;
    }

    // A line without the payer's name is left out: before the first payer (and in the
    // payroll export) the user may cancel the import instead.
    bool skipNameless(const std::string& n) {
        ++namelessLines_;
        if (!payroll_ && !accepted_.empty()) {
            notValid_.push_back("(no name) (" + fileName_ + ", line " + n + ": not imported)");
            return true;
        }
        const int32_t answer = askUser("",
                                       "Unable to import company information on line " + n +
                                           ". Does not have an entry for the required field 'Payer's Name'. "
                                           "Must skip this Company. Do you want to cancel import instead?",
                                       kMessageStyleYesNo, "Import Error", kMessageImagePlain);
        if (answer != kMessageAnswerOkYes) return true;
        code_ = kImportAbandonedCode;
        return false;
    }

    void stopAtBlankLine(const std::string& n, bool empty) {
        askUser("",
                "Nothing was imported: line " + n + " of the file \"" + fileName_ + "\" holds only " +
                    (empty ? "an empty field" : "a blank") + ". Remove the line and import the file again.",
                kMessageStyleOK, "Nothing Imported", kMessageImagePlain);
        code_ = kImportStoppedCode;
    }

    // A run that read no payer makes nothing, and says so and why rather than that the
    // import is complete.
    bool readSomePayer() {
        if (!accepted_.empty()) return true;
        const std::string file = "the file \"" + fileName_ + "\"";
        std::string why;
        if (startsWithEmptyLine(text_))
            why = "the first line of " + file + " is empty. Remove the empty first line and import the file again.";
        else if (namelessLines_ > 0)
            why = "no line of " + file + " has an entry for the required field 'Payer's Name'.";
        else
            why = file + " holds no payers" + (emptyRows_ > 0 ? ", only rows whose fields are all empty." : ".");
        askUser("", "Nothing was imported: " + why, kMessageStyleOK, "Nothing Imported", kMessageImagePlain);
        code_ = kImportStoppedCode;
        return false;
    }

    bool confirmNotValid() {
        if (!notValid_.empty() && !userInterface().formErrors(notValid_)) return false;
        for (auto& payer : accepted_) payer.setValidated(false);
        return true;
    }

    // A payer whose company is listed already refuses the whole file.
    bool refuseListedCompanies() {
        if (payroll_) return true;
        std::set<std::string> listed;
        for (const auto& entry : app_->SelectDatabaseList()) listed.insert(entry.CompanyName());
        const bool duplicate = std::any_of(accepted_.begin(), accepted_.end(),
                                           [&](const ComapnyInfo& p) { return listed.count(p.getName()) > 0; });
        if (!duplicate) return true;
        AlertRequest alert;
        alert.icon = AlertIcon::Error;
        alert.title = "Import Company";
        alert.message = "Duplicate company is available in the selected company list. Please avoid duplicate "
                        "companies for the import.";
        alert.buttons = {"OK"};
        userInterface().alert(alert);
        userInterface().closeDatabase(false, false);
        code_ = kImportDuplicateCompanyCode;
        return false;
    }

    // Each payer into its own company database.
    bool makeDatabases() {
        const std::string folder = session().configDir->GetDir();
        std::vector<Target> targets;
        for (auto& payer : accepted_) {
            Target t;
            t.readName = payer.getName();
            t.fileName = payerDatabaseName(t.readName);
            t.path = folder + t.fileName + " " + std::to_string(kYear) + ".db";
            payer.setName(Utils::compNameTrim(t.readName));
            t.payer = payer;
            targets.push_back(std::move(t));
        }
        meter_->longStep("Creating " + std::to_string(targets.size()) + " company databases");
        if (meter_->cancelled()) return false;
        meter_->commitPoint();
        // What a run cut short left in the year's folder goes first: the replacements of
        // this run work side by side there, so each of them can clear nothing but its own.
        platform::sweepLeftovers(folder);
        if (!createDatabases(targets, *app_, folder)) return false;
        meter_->finish();
        return true;
    }

    std::string emptyRowsText() const {
        return emptyRows_ == 0 ? std::string() : "\n\n" + emptyRowsSkippedText(emptyRows_);
    }

    int finish() {
        userInterface().openRecentDatabase();
        userInterface().refreshMainWindow();
        userInterface().closeDatabase(false, false);
        if (cdb_) cdb_->Close();
        askUser("",
                "All imported companies will be marked as 'NOT Valid' until you review the companies' data using the "
                "'Update Company' button. Some companies may still need more information before filing." +
                    emptyRowsText(),
                kMessageStyleOK, "Import Complete", kMessageImagePlain);
        return kImportCompletedCode;
    }

    const PayerReader reader_;
    const std::vector<std::string>& chosen_;
    const bool payroll_;
    size_t emptyRows_ = 0;
    size_t namelessLines_ = 0;   // lines left out for want of the payer's name
    std::shared_ptr<CompanyDatabase> cdb_;
    std::shared_ptr<AppDatabase> app_;
    int code_ = kImportStoppedCode;

    std::string path_;
    std::string text_;
    std::string fileName_;
    std::vector<int> columns_;
    std::vector<std::vector<std::string>> lines_;
    std::optional<JobMeter> meter_;
    std::vector<ComapnyInfo> accepted_;
    std::vector<std::string> notValid_;
};

int run(PayerReader reader, const std::vector<std::string>& chosen) { return PayerRun(reader, chosen).run(); }

}  // namespace

std::string payerDatabaseName(const std::string& payerName) {
    std::u32string s = Utils::toCodePoints(payerName);
    if (s.size() > 60) s.resize(60);
    std::u32string collapsed;
    for (char32_t c : s)
        if (!(c == U' ' && !collapsed.empty() && collapsed.back() == U' ')) collapsed += c;
    if (!collapsed.empty() && collapsed.back() == U' ') collapsed.pop_back();
    const char32_t first = collapsed.empty() ? 0 : collapsed.front();
    for (char32_t& c : collapsed)
        if (!isAsciiLetter(c) && !(c >= U'0' && c <= U'9') && c != U' ' && c != U'-' && c != U'_') c = U'_';
    if (!(first >= U'A' && first <= U'Z') && !(first >= 96 && first <= 127)) collapsed.insert(collapsed.begin(), U'_');
    return Utils::fromCodePoints(collapsed);
}

ComapnyInfo payerFromLine(const std::vector<std::string>& fields, const std::vector<int>& columns,
                          PayerReader reader) {
    static const std::string empty;
    ComapnyInfo payer;
    payer.setValidated(true);
    const std::vector<int>& used = reader == PayerReader::Payroll ? payrollColumns() : columns;
    for (size_t j = 0; j < used.size(); ++j)
        applyPayerColumn(used[j], j < fields.size() ? fields[j] : empty, reader, payer);
    if (!Utils::isValidLength(payer.getAddress(), 1, 40)) payer.setValidated(false);
    return payer;
}

int runPayerImport(PayerReader reader, const std::vector<std::string>& chosen) {
    return reader == PayerReader::Payroll ? runPayrollPayerImport() : run(reader, chosen);
}

int runPayrollPayerImport() { return run(PayerReader::Payroll, IMPORT_FIELDSPAYER()); }

void setPayerImportCheckpoint(std::function<void(const std::string& step)> hook) {
    checkpointHook() = std::move(hook);
}

}  // namespace imports
