#pragma once

// A session with the 2025 configuration folder and database in a temporary home, the
// scripted seam, and last year's company databases made by the test in the 2024 year
// folder. After every case the last-year files are checked to be exactly as they were
// and the scratch copy to be gone.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "TestConfiguration.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UserInfo.h"
#include "core/foundation/databaseInfo.h"
#include "core/newyear/PriorYearFile.h"
#include "core/store/ScratchCopy.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/E_FileInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "platform/FileSystem.h"

// One recipient of a last-year file.
struct PriorRecipient {
    int payer = 0;                 // index of the payer in the file
    int type = 1;
    std::string first, last, taxID;
    std::map<std::string, std::string> amounts;   // "line13" -> "1500.00" and so on
    bool flagged = false;          // printed, validated, void, corrected, completed
    // With an additional row as the entry windows write it (name type, surname); an
    // individual's name line then holds the payer's name.
    bool entered = false;
    bool business = false;
    std::string surname, middle, tinType = "EIN";
};

class NewYearTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        const auto dir = openTestConfiguration(home.path());
        ASSERT_TRUE(dir);
        TalvexaDir last;
        last.SetBaseDir(dir->dir());
        last.SetYear(2024);
        lastYearFolder = last.GetDir();
        ASSERT_TRUE(platform::createDirectories(lastYearFolder));
    }

    void TearDown() override {
        for (const auto& [path, seen] : priorFiles) {
            EXPECT_EQ(contents(path), seen.bytes) << path << " changed";
            EXPECT_EQ(mtime(path), seen.mtime) << path << " touched";
        }
        EXPECT_FALSE(platform::fileExists(ScratchCopy::scratchPath())) << "scratch copy left behind";
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        EXPECT_TRUE(ui->allAnswersUsed()) << "answers left over";
        ui.reset();
        resetSession();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }
    std::string yearFolder() const { return session().configDir->GetDir(); }

    static std::string contents(const std::string& path) {
        std::string bytes;
        platform::readFile(path, bytes);
        return bytes;
    }
    static long long mtime(const std::string& path) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return -1;
        return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    }
    // From now on the file must stay as it is.
    void watch(const std::string& path) { priorFiles[path] = {contents(path), mtime(path)}; }

    // Last year's file "<name> <year>.db" with two payers, logins (an administrator, an
    // ordinary user and the built-in ones), the recipients and a transmitter.
    std::string makePriorDatabase(const std::string& name, const std::vector<std::string>& payers,
                                  const std::vector<PriorRecipient>& recipients, int year = 2024,
                                  bool backup = false) {
        const std::string path = lastYearFolder + name + " " + std::to_string(year) + ".db";
        {
            CompanyDatabase db;
            EXPECT_TRUE(db.Init(path, false, true, true, name));
            EXPECT_TRUE(db.SetName(name));
            EXPECT_TRUE(db.SetYear(year));
            if (backup) {
                EXPECT_TRUE(db.SetBackup(true));
            }
            for (const std::string& p : payers) {
                ComapnyInfo c;
                c.setName(p);
                c.setAddress("1 Main St");
                c.setPayerfirstname("Pat");
                c.setPayercountry("US");
                c.setTaxID("12-3456789");
                EXPECT_TRUE(db.insertCompanyInfo(c));
            }
            for (auto [user, type] : {std::pair<const char*, int>{"Ada", 1}, {"Bob", 0}}) {
                UserInfo u;
                u.setUserName(user);
                u.setPassword("Secret1");
                u.setUserType(type);
                EXPECT_TRUE(db.insertUserInfo(u));
            }
            EXPECT_TRUE(db.db->executeUpdate("update logins set doNotShowWelcomeDialog = '1';"));
            for (const PriorRecipient& p : recipients) {
                RecipientInfo r;
                r.setCompany_FK(p.payer);
                r.setType(p.type);
                r.setFirstName(p.first);
                r.setLastName(p.entered && !p.business ? payers[static_cast<size_t>(p.payer)] : p.last);
                r.setTaxID(p.taxID);
                r.setAddress("2 Elm St");
                r.setCity("Springfield");
                r.setState("IL");
                r.setZip("62701");
                r.setAccountNumber("A-1");
                if (p.flagged) {
                    r.setPrinted(true);
                    r.setValidated(true);
                    r.setVoided(true);
                    r.setCorrected(true);
                    r.setCompleted(true);
                }
                if (p.entered) {
                    RecipientAdditionalInfo a;
                    a.setCompany_FK(p.payer);
                    a.setType(p.type);
                    a.setname_typee(p.business ? "Business Name" : "Individual");
                    a.settin_type(p.tinType);
                    a.setlastname(p.business ? "" : p.surname);
                    a.setmiddleName(p.middle);
                    a.setsuffix("Jr");
                    a.setaddline2("Suite 5");
                    a.setOfficecode("1234");
                    a.setline19_1_Misc("99.00");
                    a.setValidated(true);
                    EXPECT_TRUE(db.insertRecipientInfo(r, a));
                } else {
                    EXPECT_TRUE(db.insertRecipientInfo(r));
                }
                for (const auto& [column, value] : p.amounts)
                    EXPECT_TRUE(db.db->executeUpdate("update recipients set " + column + " = ? where pk = ?;", value,
                                                     db.getRecipientPK()));
            }
            E_FileInfo t;
            t.setName("Transmitter Inc");
            t.setTCC("12ABC");
            EXPECT_TRUE(db.updateEFileInfo(t));
            db.Close();
        }
        watch(path);
        return path;
    }

    databaseInfo entryOf(const std::string& path, const std::string& name, int year = 2024) {
        return databaseInfo(name, path, year, false, "");
    }

    static std::string text(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        EXPECT_TRUE(db->open());
        std::string v;
        if (auto rs = db->executeQuery(sql)) {
            if (rs->next()) v = rs->stringForColumnIndex(0).value_or("<null>");
            rs->close();
        }
        db->close();
        return v;
    }
    static int number(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        EXPECT_TRUE(db->open());
        const int v = db->intForQuery(sql, std::vector<FMValue>{});
        db->close();
        return v;
    }

    std::vector<std::string> listedPaths() {
        std::vector<std::string> out;
        for (const databaseInfo& e : app()->SelectDatabaseList()) out.push_back(e.path());
        return out;
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& box : ui->boxes()) out.push_back(box.caption);
        return out;
    }

    struct Seen {
        std::string bytes;
        long long mtime = 0;
    };
    TempHome home;
    std::unique_ptr<ScriptedUserInterface> ui;
    std::string lastYearFolder;
    std::map<std::string, Seen> priorFiles;
};
