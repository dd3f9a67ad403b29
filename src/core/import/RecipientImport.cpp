#include "core/import/RecipientImport.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <unordered_map>

#include "core/foundation/JobMeter.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportCodes.h"
#include "core/import/ImportColumnChoices.h"
#include "core/import/ImportFile.h"
#include "core/import/RecipientImportRules.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/DuplicateTaxID.h"

namespace imports {

namespace {

// Recipients stored together.
constexpr size_t kStoreBatch = 500;
const char kBusiness[] = "Business Name";
const char kIndividual[] = "Individual";

// Catalogue columns that the checks of a whole record name.
constexpr int kBusinessNameColumn = 3;
constexpr int kAddressColumn = 8;
constexpr int kCityColumn = 10;
constexpr int kStateColumn = 11;
constexpr int kZipColumn = 12;
constexpr int kPropertyAddressColumn = 109;   // 1099-S box 3
constexpr int kPropertyCityColumn = 110;
constexpr int kPropertyStateColumn = 111;
constexpr int kPropertyZipColumn = 112;

// One record of the file: its fields, its number among the records and the line of the
// file it begins on.
struct FileRecord {
    const std::vector<std::string>* fields = nullptr;
    size_t number = 0;
    size_t line = 0;
};

// Visits the file's records one at a time, none of them kept, its lines ending at
// lineEnd (recipientLineEnd). False when a comma-separated file has a quote that is never
// closed (unclosedLine then holds its line); the records before it have been visited
// then. Rows whose fields are all empty are passed over, counted in emptyRows.
bool forEachRecord(const std::string& text, char lineEnd, RecipientReader reader, size_t& unclosedLine,
                   size_t& emptyRows, const std::function<bool(const FileRecord&)>& visit) {
    size_t count = 0;
    emptyRows = 0;
    if (reader == RecipientReader::Csv)
        return forEachRecipientCsvRecord(text, lineEnd, unclosedLine, [&](CsvRecord& r) {
            if (allFieldsEmpty(r.fields)) {
                ++emptyRows;
                return true;
            }
            return visit(FileRecord{&r.fields, ++count, r.line});
        });
    std::vector<std::string> fields;
    size_t lineNumber = 0;
    forEachRecipientFileLine(text, lineEnd, [&](const std::string& line) {
        ++lineNumber;
        // A tab-separated line needs more than one character to be a record.
        if (Utils::characterCount(line) <= 1) return true;
        fields = splitFields(line, '\t');
        if (allFieldsEmpty(fields)) {
            ++emptyRows;
            return true;
        }
        return visit(FileRecord{&fields, ++count, lineNumber});
    });
    return true;
}

bool isBusiness(const ImportedRecipient& r) { return r.additional.getname_type() == kBusiness; }

// The name type follows from the names read. A record without a first name is a
// business, unless a surname is all the name it has.
void complete(ImportedRecipient& rec, RecipientReader reader, int32_t kind) {
    RecipientInfo& r = rec.info;
    RecipientAdditionalInfo& a = rec.additional;
    r.setType(kind);
    a.setType(kind);
    if (reader == RecipientReader::Payroll) {
        if (r.getFirstName().empty()) {
            a.setname_typee(kBusiness);
        } else {
            a.setname_typee(kIndividual);
            a.setlastname(r.getLastName());
            const std::string first = r.getFirstName();
            const size_t blank = first.find(' ');
            r.setFirstName(first.substr(0, blank));
            a.setmiddleName(blank == std::string::npos ? std::string() : first.substr(blank + 1));
            r.setLastName("");
        }
    } else {
        const bool onlySurname = r.getFirstName().empty() && r.getLastName().empty() && !a.getlastname().empty();
        a.setname_typee(r.getFirstName().empty() && !onlySurname ? kBusiness : kIndividual);
        // The tab-separated reader keeps no business name for an individual.
        if (!isBusiness(rec) && reader == RecipientReader::Text) r.setLastName("");
    }
    settleTinType(rec);
    if (rec.businessName && !Utils::isValidLength(*rec.businessName, isBusiness(rec) ? 1 : 0, 40))
        rec.failed(kBusinessNameColumn);
}

// Of city, state and ZIP code the first that fails is named; the later ones are not tested.
void checkAddress(ImportedRecipient& rec) {
    const RecipientInfo& r = rec.info;
    if (!Utils::isValidLength(r.getAddress(), 1, 40)) rec.failed(kAddressColumn);
    if (r.getAddressIsNotUSTerritory()) return;
    if (!Utils::isValidLength(r.getCity(), 1, 40)) rec.failed(kCityColumn);
    else if (!Utils::isValidState(r.getState())) rec.failed(kStateColumn);
    else if (!Utils::isValidZip(r.getZip())) rec.failed(kZipColumn);
}

// The 1099-S property location.
void checkPropertyLocation(ImportedRecipient& rec) {
    const RecipientInfo& r = rec.info;
    const std::string& street = r.getS_Address_Line3();
    const std::string& city = r.getS_City_Line3();
    // The state column stores "None" for an empty value: no state either.
    const bool noState = r.getS_State_Line3().empty() || r.getS_State_Line3() == "None";
    if (city.empty() && noState && r.getS_Zip_Line3().empty()) {
        if (!Utils::isValidLength(street, 1, 39)) rec.failed(kPropertyAddressColumn);
    } else if (street.empty() || !Utils::isValidLength(street + ".." + city, 1, 25)) {
        rec.failed(kPropertyAddressColumn);
    } else if (city.empty()) {
        rec.failed(kPropertyCityColumn);
    } else if (!Utils::isValidState(r.getS_State_Line3())) {
        rec.failed(kPropertyStateColumn);
    } else if (!Utils::isValidZip(r.getS_Zip_Line3())) {
        rec.failed(kPropertyZipColumn);
    }
}

// A column as the chooser names it, without the blanks some names end in.
std::string columnName(int catalogueIndex) {
    std::string name = AvailrecpFieldValue()[static_cast<size_t>(catalogueIndex)];
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return "'" + name + "'";
}

// "Lee, Ann (people.txt, line 3: 'ZIP Code' (column 6) is not valid)": the failed
// columns in the file's order, then those the file does not have (an address it lacks).
std::string failureEntry(const std::string& name, const std::string& file, size_t line, std::vector<int> failed,
                         const std::vector<int>& fileColumns) {
    const auto position = [&](int column) {
        return static_cast<size_t>(std::find(fileColumns.begin(), fileColumns.end(), column) - fileColumns.begin());
    };
    std::stable_sort(failed.begin(), failed.end(), [&](int a, int b) { return position(a) < position(b); });
    std::string entry = name + " (" + file + ", line " + std::to_string(line);
    for (size_t i = 0; i < failed.size(); ++i) {
        entry += (i == 0 ? ": " : ", ") + columnName(failed[i]);
        if (position(failed[i]) < fileColumns.size()) entry += " (column " + std::to_string(position(failed[i]) + 1) + ")";
    }
    if (!failed.empty()) entry += failed.size() == 1 ? " is not valid" : " are not valid";
    return entry + ")";
}

bool hasSomeName(const ImportedRecipient& rec) {
    return !rec.info.getFirstName().empty() || !rec.info.getLastName().empty() ||
           !rec.additional.getlastname().empty();
}

// How the lists name a recipient: a business by its name, an individual as
// "surname, first name".
std::string displayName(const ImportedRecipient& rec) {
    if (isBusiness(rec)) return rec.info.getLastName();
    std::string name = rec.additional.getlastname();
    if (!rec.info.getFirstName().empty()) name += ", " + rec.info.getFirstName();
    return name;
}

std::string recipientCount(size_t n) { return std::to_string(n) + (n == 1 ? " recipient" : " recipients"); }

// "3 recipients were added and 1 recipient was overwritten."
std::string addedAndOverwrittenText(size_t added, size_t overwritten) {
    return recipientCount(added) + (added == 1 ? " was" : " were") + " added and " + recipientCount(overwritten) +
           (overwritten == 1 ? " was" : " were") + " overwritten.";
}

// What the checks and questions need of each recipient that is imported.
struct Collected {
    std::string taxID;
    std::string name;   // as the lists show it
    size_t line = 0;
};

// One import run, step by step. Each step returns whether the run goes on; a step that
// stops it leaves the code the window ends with in code_.
class RecipientRun {
public:
    RecipientRun(RecipientReader reader, const std::vector<std::string>& chosen, CompanyDatabase& cdb)
        : reader_(reader), chosen_(chosen), cdb_(cdb), kind_(session()._type), payer_(session().CPK),
          csv_(reader == RecipientReader::Csv) {}

    int run() {
        if (!requireNameColumn() || !readFile() || !lookThroughFile() || !checkRecords() || !refuseRepeatedTaxIDs() ||
            !confirmErrors() || !matchExisting() || !store())
            return code_;
        return finish();
    }

private:
    // 1. A name column is required.
    bool requireNameColumn() {
        const auto has = [&](const char* name) {
            return std::find(chosen_.begin(), chosen_.end(), name) != chosen_.end();
        };
        if (reader_ == RecipientReader::Payroll || has("Business Name") || has("Last Name(Surname)")) return true;
        const int32_t answer = askUser("",
                                       "'Business Name' or 'Recipient Last Name (Surname)' is a required field. "
                                       "Please add either one of them to the list of selected fields in any position.",
                                       kMessageStyleOK, "Unable to Import", kMessageImagePlain, true);
        code_ = answer == kMessageAnswerOkYes ? kImportStoppedCode : kImportWindowStaysOpen;
        return false;
    }

    // 2.-4. The file, and the columns it is read by.
    bool readFile() {
        const std::optional<std::string> path = userInterface().chooseOpenFile(
            OpenFileRequest{"Choose the file to import", csv_ ? "csv" : "txt", "Text File", {}});
        if (!path) return false;
        std::string failure;
        std::optional<std::string> text = readImportFile(*path, failure);
        if (!text) {
            tvDatabase::tvMessageBox("Unable to import.", failure, kMessageStyleOK, "Import Failed", kMessageImageError,
                                     false);
            return false;
        }
        path_ = *path;
        text_ = std::move(*text);
        lineEnd_ = recipientLineEnd(text_, reader_ == RecipientReader::Csv);
        fileName_ = fileNameOf(path_);
        const std::vector<std::string>& names = reader_ == RecipientReader::Payroll ? IMPORT_FIELDS9() : chosen_;
        for (const std::string& name : names) columns_.push_back(availableCatalogueIndex(kind_, name));
        return true;
    }

    // 5. Records. The file's text is all that is kept of it: the records are read from
    // it once to be checked and, after the user's answers, once more to be stored.
    // A first look reads the whole file, so that a quote never closed stops the import
    // before anything is asked.
    bool lookThroughFile() {
        if (forEachRecord(text_, lineEnd_, reader_, unclosedLine_, emptyRows_, [&](const FileRecord& r) {
                askAboutNames_ = askAboutNames_ || r.fields->front().empty();
                ++recordCount_;
                return true;
            }))
            return recordCount_ > 0 || tellNothingToImport();
        tvDatabase::tvMessageBox("Unable to import.", unclosedQuoteText(path_, unclosedLine_), kMessageStyleOK,
                                 "Import Failed", kMessageImageError, false);
        return false;
    }

    // A file without a record imports nothing and keeps the column choice as it was.
    // An empty first line is what keeps the readers from the rest of the file.
    bool tellNothingToImport() {
        const std::string file = "the file \"" + fileName_ + "\"";
        askUser("",
                startsWithEmptyLine(text_)
                    ? "Nothing was imported: the first line of " + file +
                          " is empty. Remove the empty first line and import the file again."
                    : "Nothing was imported: " + file + " holds no recipients" +
                          (emptyRows_ > 0 ? ", only rows whose fields are all empty." : "."),
                kMessageStyleOK, "Nothing Imported", kMessageImagePlain);
        code_ = kImportStoppedCode;
        return false;
    }

    // A record as read, completed.
    void build(const FileRecord& line, ImportedRecipient& rec) const {
        static const std::string emptyField;
        rec = newImportedRecipient(payer_, reader_ != RecipientReader::Payroll);
        const std::vector<std::string>& fields = *line.fields;
        for (size_t j = 0; j < columns_.size(); ++j)
            applyRecipientColumn(columns_[j], j < fields.size() ? fields[j] : emptyField, rec);
        complete(rec, reader_, kind_);
    }

    bool lacksRequiredName(const ImportedRecipient& rec) const {
        return askAboutNames_ && rec.info.getLastName().empty() && rec.additional.getlastname().empty();
    }

    void checkRecord(ImportedRecipient& rec) const {
        checkAddress(rec);
        if (kind_ == 5) checkPropertyLocation(rec);
    }

    // Each record checked: collects what the later steps need, and the error list in
    // file order (the records that failed a check, and the lines that could not be
    // imported).
    bool checkRecords() {
        bool abandoned = false;
        bool stopped = false;
        size_t read = 0;
        meter_.emplace("Import Recipients", true);
        meter_->step("Reading " + fileName_, static_cast<int64_t>(recordCount_));
        ImportedRecipient rec;
        size_t emptyRows = 0;
        forEachRecord(text_, lineEnd_, reader_, unclosedLine_, emptyRows, [&](const FileRecord& line) {
            if (meter_->advance(static_cast<int64_t>(read++))) {
                stopped = true;
                return false;
            }
            build(line, rec);
            if (lacksRequiredName(rec)) {
                abandoned = askToSkip(line.number);
                return !abandoned;
            }
            collect(line, rec);
            return true;
        });
        if (stopped) return false;
        if (abandoned) code_ = kImportAbandonedCode;
        return !abandoned;
    }

    // A record without the required name is skipped; true when the user cancels the import instead.
    bool askToSkip(size_t number) const {
        const std::string required = csv_ ? "'Business or Last Name (Required)'" : "'Business Name' or 'Last Name'";
        const int32_t answer = askUser("",
                                       "Unable to import recipient information on line " + std::to_string(number) +
                                           ". Does not have an entry for the required field " + required +
                                           ". Must skip this recipient. Do you want to cancel import instead?",
                                       kMessageStyleYesNo, "Import Error", kMessageImagePlain);
        return answer == kMessageAnswerOkYes;
    }

    void collect(const FileRecord& line, ImportedRecipient& rec) {
        checkRecord(rec);
        if (!hasSomeName(rec)) {
            errors_.push_back("(no name) (" + fileName_ + ", line " + std::to_string(line.line) +
                              ": not imported)");
            return;
        }
        const std::string name = displayName(rec);
        if (!rec.info.getValidated()) errors_.push_back(failureEntry(name, fileName_, line.line, rec.failedColumns, columns_));
        collected_.push_back({rec.info.getTaxID(), name, line.line});
    }

    // 6. A taxpayer number may appear once in a file. The message names the first
    // repetition: the number and the lines of both records.
    bool refuseRepeatedTaxIDs() const {
        std::unordered_map<std::string, size_t> seen;   // number without dashes -> collected position
        seen.reserve(collected_.size());
        for (size_t i = 0; i < collected_.size(); ++i) {
            const std::string number = withoutDashes(collected_[i].taxID);
            if (number.empty()) continue;
            const auto [first, isNew] = seen.emplace(number, i);
            if (isNew) continue;
            askUser("",
                    "The same Recipient Tax Payer ID appears more than once. Check before importing.\n\nThe number " +
                        collected_[i].taxID + " is on line " + std::to_string(collected_[first->second].line) +
                        " and on line " + std::to_string(collected_[i].line) + ".",
                    kMessageStyleYes, "Recipient Import Error", kMessageImagePlain);
            return false;
        }
        return true;
    }

    // 7. The records that failed a check, and the lines that could not be imported.
    bool confirmErrors() {
        const bool goOn = errors_.empty() || userInterface().importErrors(errors_) != kImportErrorsCancelCode;
        errors_ = {};
        return goOn;
    }

    // 8. Recipients the payer already has, and what the user lets the import overwrite.
    bool matchExisting() {
        std::vector<std::string> numbers;
        numbers.reserve(collected_.size());
        for (auto& c : collected_) {
            numbers.push_back(std::move(c.taxID));
            c.taxID = {};
        }
        std::optional<std::vector<int32_t>> existing = cdb_.getRecipientConflicts(numbers, payer_, kind_);
        if (!existing) return false;
        existing_ = std::move(*existing);
        numbers = {};
        std::vector<size_t> conflicts;
        std::vector<std::string> names;
        for (size_t i = 0; i < collected_.size(); ++i) {
            if (existing_[i] < 0) continue;
            conflicts.push_back(i);
            names.push_back(collected_[i].name);
        }
        added_ = collected_.size() - conflicts.size();
        collected_ = {};
        chooseOverwrites(conflicts, names);
        return true;
    }

    void chooseOverwrites(const std::vector<size_t>& conflicts, const std::vector<std::string>& names) {
        if (conflicts.empty()) return;
        std::vector<int> rows;
        if (userInterface().importConflicts(names, rows) != kImportConflictsOKCode) return;
        for (int row : rows)
            if (row >= 0 && static_cast<size_t>(row) < conflicts.size())
                overwrite_.insert(conflicts[static_cast<size_t>(row)]);
    }

    bool store() {
        meter_->longStep("Saving " + recipientCount(added_ + overwrite_.size()));
        if (meter_->cancelled()) return false;
        meter_->commitPoint();
        if (!companyrows::write(cdb_, "Unable to import the recipients. Nothing was imported.",
                                [&] { return storeRecords(); }))
            return false;
        meter_->finish();
        return true;
    }

    // The records once more, as the checks saw them, stored a batch at a time in one
    // transaction: the new recipients under keys counted up in file order, the chosen
    // conflicts written over the recipients they match.
    bool storeRecords() {
        std::vector<RecipientInfo> addedInfo, overwrites;
        std::vector<RecipientAdditionalInfo> addedAdditional, overwriteAdditional;
        const auto storeBatch = [&] {
            const bool stored =
                cdb_.storeImportedRecipients(addedInfo, addedAdditional, overwrites, overwriteAdditional);
            addedInfo.clear();
            addedAdditional.clear();
            overwrites.clear();
            overwriteAdditional.clear();
            return stored;
        };
        size_t index = 0;   // the position among the collected records
        bool ok = true;
        ImportedRecipient rec;
        size_t emptyRows = 0;
        forEachRecord(text_, lineEnd_, reader_, unclosedLine_, emptyRows, [&](const FileRecord& line) {
            build(line, rec);
            if (lacksRequiredName(rec)) return true;   // skipped at the user's answer
            checkRecord(rec);
            if (!hasSomeName(rec)) return true;
            const size_t i = index++;
            const int32_t key = existing_[i];
            if (key >= 0 && !overwrite_.count(i)) return true;
            rec.info.setValidated(false);
            rec.additional.setValidated(false);
            if (key < 0) {
                addedInfo.push_back(std::move(rec.info));
                addedAdditional.push_back(std::move(rec.additional));
            } else {
                // The number's shape cannot tell an ITIN from an SSN: a file that gives no
                // type leaves the stored one.
                if (!rec.tinTypeGiven) keepStoredTinType(rec, key);
                rec.info.setPK(key);
                rec.additional.setPK(key);
                overwrites.push_back(std::move(rec.info));
                overwriteAdditional.push_back(std::move(rec.additional));
            }
            if (addedInfo.size() + overwrites.size() < kStoreBatch) return true;
            ok = storeBatch();
            return ok;
        });
        return ok && storeBatch();
    }

    void keepStoredTinType(ImportedRecipient& rec, int32_t key) const {
        const RecipientAdditionalInfo stored = cdb_.getRecipientAdditionalInfo(key);
        if (stored.getPK() >= 0) rec.additional.settin_type(stored.gettin_type());
    }

    // 9. Done.
    int finish() {
        if (reader_ != RecipientReader::Payroll) saveRecipientColumns(cdb_, kind_, chosen_);
        askUser("",
                "All imported recipients will be marked as 'NOT Valid' until you review the recipients' data using "
                "the 'Edit Recipient' button. Some recipients may still need more information before filing.\n\n" +
                    importCountsText(added_, overwrite_.size()),
                kMessageStyleOK, "Import Complete", kMessageImagePlain);
        return kImportCompletedCode;
    }

    // The counts of the completion message, and the empty rows passed over.
    std::string importCountsText(size_t added, size_t overwritten) const {
        std::string text = addedAndOverwrittenText(added, overwritten);
        if (emptyRows_ > 0) text += " " + emptyRowsSkippedText(emptyRows_);
        return text;
    }

    const RecipientReader reader_;
    const std::vector<std::string>& chosen_;
    CompanyDatabase& cdb_;
    const int32_t kind_;
    const int32_t payer_;
    const bool csv_;
    int code_ = kImportStoppedCode;

    std::string path_;
    std::string text_;
    char lineEnd_ = '\n';   // how text_ ends its lines, decided once for the run's readings
    std::string fileName_;
    std::vector<int> columns_;
    size_t unclosedLine_ = 0;
    bool askAboutNames_ = false;
    size_t recordCount_ = 0;
    size_t emptyRows_ = 0;
    std::optional<JobMeter> meter_;
    std::vector<Collected> collected_;
    std::vector<std::string> errors_;
    std::vector<int32_t> existing_;   // per collected record: the key it matches, or -1
    size_t added_ = 0;
    std::set<size_t> overwrite_;      // collected positions the user lets overwrite
};

int run(RecipientReader reader, const std::vector<std::string>& chosen) {
    const auto& holder = session().DBH;
    const auto cdb = holder ? holder->companyDatabase() : nullptr;
    if (!cdb || !cdb->IsReady()) return kImportStoppedCode;
    return RecipientRun(reader, chosen, *cdb).run();
}

}  // namespace

int runRecipientImport(RecipientReader reader, const std::vector<std::string>& chosen) {
    if (reader == RecipientReader::Payroll) return runPayrollRecipientImport();
    return run(reader, chosen);
}

int runPayrollRecipientImport() {
    Session& s = session();
    const auto cdb = s.DBH ? s.DBH->companyDatabase() : nullptr;
    if (cdb && cdb->IsReady()) savePayrollRecipientColumns(*cdb, s._type);
    return run(RecipientReader::Payroll, IMPORT_FIELDS9());
}

}  // namespace imports
