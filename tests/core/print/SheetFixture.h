#pragma once

// Form print runs on an open company database: a payer with every field filled, the
// main window's recipient selection, and the sheets of the jobs handed to the printer.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ReportFixture.h"
#include "core/foundation/Session.h"
#include "core/print/REPDATA.h"
#include "core/print/SheetModel.h"
#include "core/print/rept.h"
#include "core/store/Recipient.h"

class SheetTest : public ReportTest {
protected:
    void SetUp() override {
        ReportTest::SetUp();
        session().recp_details = std::make_shared<Recipient>();
    }

    // A payer with every printed field filled.
    int32_t addFullPayer(const std::string& name = "Payer Co", bool ssn = false) {
        ComapnyInfo c;
        c.setName(name);
        c.setAddress("1 Payer St");
        c.setCity("Payville");
        c.setState("California-CA");
        c.setZip("90001");
        c.setPhone("555-0100");
        c.setTaxID(ssn ? "123-45-6789" : "12-3456789");
        c.setTaxIDIsSSN(ssn);
        c.setContact("Pat Payer");
        c.setContactPhone("555-0101");
        c.setFax("555-0102");
        c.setEmail("pat@payer.test");
        EXPECT_TRUE(cdb()->insertCompanyInfo(c));
        return cdb()->getCompanyPK();
    }

    // An individual recipient with a full address.
    static Person person(int32_t kind, const std::string& first = "Ann", const std::string& surname = "Lee") {
        Person p(kind, first, surname);
        p.at("2 Main St", "Reno", "Nevada-NV", "89501");
        p.r.setCountry("US");
        p.r.setTaxID("123-45-6789");
        p.r.setAccountNumber("ACCT-7");
        return p;
    }

    void selectRecipients(std::vector<int32_t> keys) {
        session().recp_details->setSelectedRecipients(std::move(keys));
    }

    // A request of the report number and layout code over the stored recipients of the
    // keys, each with its payer and additional data, drawn; the sheets of its job.
    std::shared_ptr<const SheetModel> draw(int32_t reptnum, int32_t layout, const std::vector<int32_t>& keys) {
        REPDATA request;
        request.setReptnum(reptnum);
        request.setWxtype(layout);
        std::vector<RecipientInfo> recipients;
        std::vector<ComapnyInfo> payers;
        std::vector<RecipientAdditionalInfo> additional;
        for (int32_t key : keys) {
            recipients.push_back(cdb()->getRecipientInfo(key));
            payers.push_back(cdb()->getCompanyInfo1(recipients.back().getCompany_FK()));
            additional.push_back(cdb()->getRecipientAdditionalInfo(key));
            request.setFormKind(recipients.back().getType());
        }
        request.setTheListBox(recipients);
        request.setTheListBox2(payers);
        request.setTheAddListBox3(additional);
        rept().DoReport(request);
        return lastSheets();
    }

    // The sheets of the last job (fails the test when it carries none).
    std::shared_ptr<const SheetModel> lastSheets() {
        const std::vector<PrintJob> jobs = ui->jobs();
        EXPECT_FALSE(jobs.empty()) << "no print job";
        if (jobs.empty() || !jobs.back().sheets) return std::make_shared<const SheetModel>();
        EXPECT_EQ(jobs.back().title, "1099 Print");
        return jobs.back().sheets;
    }

    // Every job's sheets, in order.
    std::vector<std::shared_ptr<const SheetModel>> sheetJobs() const {
        std::vector<std::shared_ptr<const SheetModel>> out;
        for (const PrintJob& job : ui->jobs()) out.push_back(job.sheets ? job.sheets : std::make_shared<SheetModel>());
        return out;
    }

    // The texts of a sheet, in placing order.
    static std::vector<std::string> texts(const Sheet& sheet) {
        std::vector<std::string> out;
        for (const PlacedText& t : sheet.texts) out.push_back(t.text);
        return out;
    }
    static bool shows(const Sheet& sheet, const std::string& text) {
        for (const PlacedText& t : sheet.texts)
            if (t.text == text) return true;
        return false;
    }
    static bool shows(const SheetModel& sheets, const std::string& text) {
        for (const Sheet& s : sheets.sheets())
            if (shows(s, text)) return true;
        return false;
    }
};
