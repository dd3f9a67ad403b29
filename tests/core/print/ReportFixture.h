#pragma once

// A session with an open company database, a configuration folder for the report
// file, a scripted seam that records print jobs, and the footer's clock at noon on
// 15 January 2025.

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ReportPdfReader.h"
#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/Session.h"
#include "core/print/PrtReport.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

// One recipient as a test writes it.
struct Person {
    RecipientInfo r;
    RecipientAdditionalInfo a;

    Person(int32_t kind, std::string first, std::string surname) {
        r.setType(kind);
        r.setFirstName(first);
        r.setLastName(first + " " + surname);
        a.setType(kind);
        a.setlastname(surname);
        a.setname_typee("Individual");
    }
    static Person business(int32_t kind, std::string name) {
        Person p(kind, "", "");
        p.r.setFirstName("");
        p.r.setLastName(name);
        p.a.setname_typee("Business Name");
        return p;
    }
    Person& at(std::string address, std::string city, std::string state, std::string zip) {
        r.setAddress(std::move(address));
        r.setCity(std::move(city));
        r.setState(std::move(state));
        r.setZip(std::move(zip));
        return *this;
    }
    Person& foreign() {
        r.setAddressIsNotUSTerritory(true);
        return *this;
    }
    Person& voided() {
        r.setVoided(true);
        a.setVoided(true);
        return *this;
    }
    template <class Set>
    Person& with(Set set, std::string amount) {
        (r.*set)(std::move(amount));
        return *this;
    }
};

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        Session& s = session();
        s.DBH = std::make_shared<DatabaseHolder>();
        s.comp_details = std::make_shared<Company>();
        s.ControlledTempDir = home.path() + "/config";
        std::filesystem::create_directories(s.ControlledTempDir);
        ASSERT_TRUE(cdb()->Init(home.file("Acme 2025.db"), false, false, true, "Acme"));
        PrtReport::setClock([] {
            std::tm noon{};
            noon.tm_year = 2025 - 1900;
            noon.tm_mon = 0;
            noon.tm_mday = 15;
            noon.tm_hour = 12;
            noon.tm_isdst = -1;
            return std::chrono::system_clock::from_time_t(std::mktime(&noon));
        });
    }
    void TearDown() override {
        PrtReport::setClock({});
        cdb()->Close();
        EXPECT_TRUE(ui->allAnswersUsed()) << "message box answers left over";
        ui.reset();
        resetSession();
    }

    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }

    int32_t addPayer(const std::string& name) {
        ComapnyInfo c;
        c.setName(name);
        EXPECT_TRUE(cdb()->insertCompanyInfo(c));
        return cdb()->getCompanyPK();
    }
    int32_t add(int32_t payer, Person p) {
        p.r.setCompany_FK(payer);
        p.a.setCompany_FK(payer);
        EXPECT_TRUE(cdb()->insertRecipientInfo(p.r, p.a));
        return p.r.getPK();
    }
    void select(std::vector<int32_t> payers) { session().comp_details->setSelectedCompanies(std::move(payers)); }

    // The one job printed since the last call, read back; fails the test when there
    // is not exactly one or its structure does not hold.
    reportpdf::Document printedDocument() {
        const std::vector<PrintJob> jobs = ui->jobs();
        EXPECT_EQ(jobs.size(), jobsSeen + 1) << "print jobs";
        if (jobs.size() != jobsSeen + 1) return {};
        ++jobsSeen;
        EXPECT_EQ(jobs.back().title, "Talvexa 1099 E-File 2025");
        reportpdf::Document doc = reportpdf::read(jobs.back().pdf);
        EXPECT_EQ(doc.problems, std::vector<std::string>{});
        return doc;
    }
    std::vector<reportpdf::TextRun> printedRuns() { return reportpdf::textRuns(printedDocument()); }
    // The path where the last job was kept for other tools.
    std::string keptJob() const { return ui->keptJobs().empty() ? std::string() : ui->keptJobs().back(); }
    std::string reportFile() const { return session().ControlledTempDir + "/report.PDF"; }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> ui;
    size_t jobsSeen = 0;
};
