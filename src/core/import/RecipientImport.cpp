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

constexpr int32_t kPlainImage = 2048;
// Recipients stored together.
constexpr size_t kStoreBatch = 500;
const char kBusiness[] = "Business Name";
const char kIndividual[] = "Individual";

// One record of the file: its fields and its number among the records.
struct FileRecord {
    const std::vector<std::string>* fields = nullptr;
    size_t number = 0;
};

// Visits the file's records one at a time, none of them kept. False when a
// comma-separated file has a quote that is never closed (unclosedLine then holds its
// line); the records before it have been visited then.
bool forEachRecord(const std::string& text, RecipientReader reader, size_t& unclosedLine,
                   const std::function<bool(const FileRecord&)>& visit) {
    size_t count = 0;
    if (reader == RecipientReader::Csv)
        return forEachRecipientCsvRecord(text, unclosedLine, [&](CsvRecord& r) {
            // A record that is a single empty or blank field is no record.
            if (r.fields.size() == 1 && (r.fields[0].empty() || r.fields[0] == " ")) return true;
            return visit(FileRecord{&r.fields, ++count});
        });
    std::vector<std::string> fields;
    forEachRecipientFileLine(text, [&](const std::string& line) {
        // A tab-separated line needs more than one character to be a record.
        if (Utils::characterCount(line) <= 1) return true;
        fields = splitFields(line, '\t');
        return visit(FileRecord{&fields, ++count});
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
    if (rec.businessName && !Utils::isValidLength(*rec.businessName, isBusiness(rec) ? 1 : 0, 40))
        r.setValidated(false);
}

void checkAddress(RecipientInfo& r) {
    bool ok = Utils::isValidLength(r.getAddress(), 1, 40);
    if (!r.getAddressIsNotUSTerritory())
        ok = Utils::isValidLength(r.getCity(), 1, 40) && Utils::isValidState(r.getState()) &&
             Utils::isValidZip(r.getZip()) && ok;
    if (!ok) r.setValidated(false);
}

// The 1099-S property location.
void checkPropertyLocation(RecipientInfo& r) {
    const std::string& street = r.getS_Address_Line3();
    const std::string& city = r.getS_City_Line3();
    // The state column stores "None" for an empty value: no state either.
    const bool noState = r.getS_State_Line3().empty() || r.getS_State_Line3() == "None";
    bool ok = true;
    if (city.empty() && noState && r.getS_Zip_Line3().empty()) {
        ok = Utils::isValidLength(street, 1, 39);
    } else {
        ok = !street.empty() && Utils::isValidLength(street + ".." + city, 1, 25) && !city.empty() &&
             Utils::isValidState(r.getS_State_Line3()) && Utils::isValidZip(r.getS_Zip_Line3());
    }
    if (!ok) r.setValidated(false);
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
std::string importCountsText(size_t added, size_t overwritten) {
    return recipientCount(added) + (added == 1 ? " was" : " were") + " added and " + recipientCount(overwritten) +
           (overwritten == 1 ? " was" : " were") + " overwritten.";
}

int32_t message(const std::string& text, int32_t style, const std::string& title, bool flag = false) {
    return tvDatabase::tvMessageBox("", text, style, title, kPlainImage, flag);
}

int run(RecipientReader reader, const std::vector<std::string>& chosen) {
    Session& s = session();
    const auto cdb = s.DBH ? s.DBH->companyDatabase() : nullptr;
    if (!cdb || !cdb->IsReady()) return kImportStoppedCode;
    const int32_t kind = s._type;
    const int32_t payer = s.CPK;

    // 1. A name column is required.
    const auto has = [&](const char* name) { return std::find(chosen.begin(), chosen.end(), name) != chosen.end(); };
    if (reader != RecipientReader::Payroll && !has("Business Name") && !has("Last Name(Surname)")) {
        const int32_t answer = message("'Business Name' or 'Recipient Last Name (Surname)' is a required field. "
                                       "Please add either one of them to the list of selected fields in any position.",
                                       4, "Unable to Import", true);
        return answer == kMessageAnswerOkYes ? kImportStoppedCode : kImportWindowStaysOpen;
    }

    // 2.-4. The file.
    const bool csv = reader == RecipientReader::Csv;
    const std::optional<std::string> path =
        userInterface().chooseOpenFile(OpenFileRequest{"Choose the file to import", csv ? "csv" : "txt", "Text File", {}});
    if (!path) return kImportStoppedCode;
    std::string failure;
    const std::optional<std::string> text = readImportFile(*path, failure);
    if (!text) {
        tvDatabase::tvMessageBox("Unable to import.", failure, 4, "Import Failed", kMessageImageError, false);
        return kImportStoppedCode;
    }
    const std::string fileName = fileNameOf(*path);

    std::vector<int> columns;
    for (const std::string& name : chosen) columns.push_back(availableCatalogueIndex(kind, name));
    if (reader == RecipientReader::Payroll) {
        columns.clear();
        for (const std::string& name : IMPORT_FIELDS9()) columns.push_back(availableCatalogueIndex(kind, name));
    }

    // 5. Records. The file's text is all that is kept of it: the records are read from
    // it once to be checked and, after the user's answers, once more to be stored.
    size_t unclosedLine = 0;
    bool askAboutNames = false;
    size_t recordCount = 0;
    // A first look reads the whole file, so that a quote never closed stops the import
    // before anything is asked.
    if (!forEachRecord(*text, reader, unclosedLine, [&](const FileRecord& r) {
            askAboutNames = askAboutNames || r.fields->front().empty();
            ++recordCount;
            return true;
        })) {
        tvDatabase::tvMessageBox("Unable to import.", unclosedQuoteText(*path, unclosedLine), 4, "Import Failed",
                                 kMessageImageError, false);
        return kImportStoppedCode;
    }
    // A record as read, completed and checked; false when it is not imported.
    static const std::string emptyField;
    const auto build = [&](const FileRecord& line, ImportedRecipient& rec) {
        rec = newImportedRecipient(payer, reader != RecipientReader::Payroll);
        const std::vector<std::string>& fields = *line.fields;
        for (size_t j = 0; j < columns.size(); ++j)
            applyRecipientColumn(columns[j], j < fields.size() ? fields[j] : emptyField, rec);
        complete(rec, reader, kind);
    };
    const auto lacksRequiredName = [&](const ImportedRecipient& rec) {
        return askAboutNames && rec.info.getLastName().empty() && rec.additional.getlastname().empty();
    };
    const auto checkRecord = [&](ImportedRecipient& rec) {
        checkAddress(rec.info);
        if (kind == 5) checkPropertyLocation(rec.info);
    };

    // What the checks and questions need of each recipient that is imported.
    struct Collected {
        std::string taxID;
        std::string name;   // as the lists show it
        size_t line = 0;
    };
    std::vector<Collected> collected;
    // The error list in file order: the records that failed a check, and the lines
    // that could not be imported.
    std::vector<std::string> errors;
    bool abandoned = false;
    bool stopped = false;
    size_t read = 0;
    JobMeter meter("Import Recipients", true);
    meter.step("Reading " + fileName, static_cast<int64_t>(recordCount));
    ImportedRecipient rec;
    forEachRecord(*text, reader, unclosedLine, [&](const FileRecord& line) {
        if (meter.advance(static_cast<int64_t>(read++))) {
            stopped = true;
            return false;
        }
        build(line, rec);
        const std::string n = std::to_string(line.number);
        if (lacksRequiredName(rec)) {
            const std::string required = csv ? "'Business or Last Name (Required)'" : "'Business Name' or 'Last Name'";
            const int32_t answer = message("Unable to import recipient information on line " + n +
                                               ". Does not have an entry for the required field " + required +
                                               ". Must skip this recipient. Do you want to cancel import instead?",
                                           10, "Import Error");
            abandoned = answer == kMessageAnswerOkYes;
            return !abandoned;
        }
        checkRecord(rec);
        if (!hasSomeName(rec)) {
            errors.push_back("(no name) (" + fileName + ", line " + n + ": not imported)");
            return true;
        }
        const std::string name = displayName(rec);
        if (!rec.info.getValidated()) errors.push_back(name);
        collected.push_back({rec.info.getTaxID(), name, line.number});
        return true;
    });
    if (stopped) return kImportStoppedCode;
    if (abandoned) return kImportAbandonedCode;

    // 6. A taxpayer number may appear once in a file. The message names the first
    // repetition: the number and the lines of both records.
    std::unordered_map<std::string, size_t> seen;   // number without dashes -> collected position
    seen.reserve(collected.size());
    for (size_t i = 0; i < collected.size(); ++i) {
        const std::string number = withoutDashes(collected[i].taxID);
        if (number.empty()) continue;
        const auto [first, isNew] = seen.emplace(number, i);
        if (isNew) continue;
        message("The same Recipient Tax Payer ID appears more than once. Check before importing.\n\nThe number " +
                    collected[i].taxID + " is on line " + std::to_string(collected[first->second].line) +
                    " and on line " + std::to_string(collected[i].line) + ".",
                2, "Recipient Import Error");
        return kImportStoppedCode;
    }
    seen = {};

    // 7. The records that failed a check, and the lines that could not be imported.
    if (!errors.empty() && userInterface().importErrors(errors) == kImportErrorsCancelCode) return kImportStoppedCode;
    errors = {};

    // 8. Recipients the payer already has, and what the user lets the import overwrite.
    std::vector<std::string> numbers;
    numbers.reserve(collected.size());
    for (auto& c : collected) {
        numbers.push_back(std::move(c.taxID));
        c.taxID = {};
    }
    const std::optional<std::vector<int32_t>> existing = cdb->getRecipientConflicts(numbers, payer, kind);
    if (!existing) return kImportStoppedCode;
    numbers = {};
    std::vector<size_t> conflicts;
    std::vector<std::string> names;
    for (size_t i = 0; i < collected.size(); ++i) {
        if ((*existing)[i] < 0) continue;
        conflicts.push_back(i);
        names.push_back(collected[i].name);
    }
    const size_t collectedCount = collected.size();
    collected = {};
    std::set<size_t> overwrite;
    if (!conflicts.empty()) {
        std::vector<int> rows;
        if (userInterface().importConflicts(names, rows) == kImportConflictsOKCode) {
            for (int row : rows)
                if (row >= 0 && static_cast<size_t>(row) < conflicts.size())
                    overwrite.insert(conflicts[static_cast<size_t>(row)]);
        }
    }
    names = {};
    const size_t added = collectedCount - conflicts.size();
    meter.longStep("Saving " + recipientCount(added + overwrite.size()));
    if (meter.cancelled()) return kImportStoppedCode;
    meter.commitPoint();

    // The records once more, as the checks saw them, stored a batch at a time in one
    // transaction: the new recipients under keys counted up in file order, the chosen
    // conflicts written over the recipients they match.
    std::vector<RecipientInfo> addedInfo, overwrites;
    std::vector<RecipientAdditionalInfo> addedAdditional, overwriteAdditional;
    const auto storeBatch = [&] {
        const bool stored = cdb->storeImportedRecipients(addedInfo, addedAdditional, overwrites, overwriteAdditional);
        addedInfo.clear();
        addedAdditional.clear();
        overwrites.clear();
        overwriteAdditional.clear();
        return stored;
    };
    const bool stored = companyrows::write(*cdb, "Unable to import the recipients. Nothing was imported.", [&] {
        size_t index = 0;   // the position among the collected records
        bool ok = true;
        forEachRecord(*text, reader, unclosedLine, [&](const FileRecord& line) {
            build(line, rec);
            if (lacksRequiredName(rec)) return true;   // skipped at the user's answer
            checkRecord(rec);
            if (!hasSomeName(rec)) return true;
            const size_t i = index++;
            const int32_t key = (*existing)[i];
            if (key >= 0 && !overwrite.count(i)) return true;
            rec.info.setValidated(false);
            rec.additional.setValidated(false);
            if (key < 0) {
                addedInfo.push_back(std::move(rec.info));
                addedAdditional.push_back(std::move(rec.additional));
            } else {
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
    });
    if (!stored) return kImportStoppedCode;
    meter.finish();

    // 9. Done.
    if (reader != RecipientReader::Payroll) saveRecipientColumns(*cdb, kind, chosen);
    message("All imported recipients will be marked as 'NOT Valid' until you review the recipients' data using the "
            "'Update Recipient' button. Some recipients may still need more information before filing.\n\n" +
                importCountsText(added, overwrite.size()),
            4, "Import Complete");
    return kImportCompletedCode;
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
