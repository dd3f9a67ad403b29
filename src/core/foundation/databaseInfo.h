#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>

// One entry of a list of company databases: a row of the configuration database's
// database lists, the database being created, opened, backed up, renamed, moved or
// rolled over, and the carrier of the cloud-backup settings.
class databaseInfo {
public:
    databaseInfo() = default;
    databaseInfo(std::string name, std::string path, int year, bool imported, std::string Fed_Id)
        : name_(std::move(name)), path_(std::move(path)), year_(year), imported_(imported),
          Fed_Id_(std::move(Fed_Id)) {}

    // Checks the name: only ASCII letters, digits, blanks, dashes and underscores,
    // starting with a letter. On failure `message` receives the text to show; on
    // success it is left untouched.
    bool ValidateName(std::string& message) const;

    // The file name (no folder) of a backup copy made today, e.g.
    // "Acme 2025 Backup 3-7-2026.db" or "Acme 2025 Auto-Backup 3-7-2026.db".
    std::string GetBackupName(bool automatic) const;
    // The same for a given day.
    std::string GetBackupName(bool automatic, std::chrono::year_month_day day) const;

    // True when name, path and Fed_Id are empty, year is 0 and imported is false;
    // the company name and cloud fields do not count.
    bool IsNull() const;
    // Clears name, path, year and imported; the other fields keep their values.
    void Nullify();

    const std::string& name() const { return name_; }
    void setName(std::string v) { name_ = std::move(v); }
    const std::string& path() const { return path_; }
    void setPath(std::string v) { path_ = std::move(v); }
    int year() const { return year_; }
    void setYear(int v) { year_ = v; }
    bool imported() const { return imported_; }
    void setImported(bool v) { imported_ = v; }
    const std::string& Fed_Id() const { return Fed_Id_; }
    void setFed_Id(std::string v) { Fed_Id_ = std::move(v); }
    const std::string& CompanyName() const { return CompanyName_; }
    void setCompanyName(std::string v) { CompanyName_ = std::move(v); }
    const std::string& CustomerId() const { return CustomerId_; }
    void setCustomerId(std::string v) { CustomerId_ = std::move(v); }
    const std::string& Emailaddress() const { return Emailaddress_; }
    void setEmailaddress(std::string v) { Emailaddress_ = std::move(v); }
    int CloudCheck() const { return CloudCheck_; }
    void setCloudCheck(int v) { CloudCheck_ = v; }

private:
    std::string name_;          // display name of the database
    std::string path_;          // full path of the file; the key of the list rows
    int year_ = 0;              // tax year
    bool imported_ = false;     // last year's database already rolled over
    std::string Fed_Id_;        // payer's federal id
    std::string CompanyName_;   // payer name
    std::string CustomerId_;    // cloud-backup customer number, plain
    std::string Emailaddress_;  // cloud-backup e-mail address, plain
    int CloudCheck_ = 0;        // 1 when cloud backup is on
};
