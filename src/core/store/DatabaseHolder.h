#pragma once

#include <memory>
#include <utility>

class AppDatabase;
class CompanyDatabase;

// The one place that keeps the program's two open databases: this year's
// configuration database and the company database of the main window. One instance
// lives in session().DBH. The databases are made here unopened and are then opened,
// closed and reopened in place, never replaced.
class DatabaseHolder {
public:
    DatabaseHolder();
    ~DatabaseHolder();

    const std::shared_ptr<AppDatabase>& appDatabase() const { return appDatabase_; }
    void setAppDatabase(std::shared_ptr<AppDatabase> v) { appDatabase_ = std::move(v); }
    const std::shared_ptr<CompanyDatabase>& companyDatabase() const { return companyDatabase_; }
    void setCompanyDatabase(std::shared_ptr<CompanyDatabase> v) { companyDatabase_ = std::move(v); }

private:
    std::shared_ptr<AppDatabase> appDatabase_;
    std::shared_ptr<CompanyDatabase> companyDatabase_;
};
