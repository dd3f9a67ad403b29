// Layouts of a real company database file, reached the way the print runs and the
// layout editor reach them: through the application's open company database.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/WX_FORMAT.h"
#include "core/store/format.h"

namespace {

using Layout = std::vector<WX_FMTVAL>;

class OpenCompanyLayouts : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        ui = std::make_unique<ScriptedUserInterface>();
        home = std::make_unique<TempHome>();
        company = std::make_shared<CompanyDatabase>();
        ASSERT_TRUE(company->Init(home->file("Company Layouts.db"), false, false, true, ""));
        session().DBH = std::make_shared<DatabaseHolder>();
        session().DBH->setCompanyDatabase(company);
    }
    void TearDown() override {
        EXPECT_TRUE(ui->boxes().empty());
        company->Close();
    }

    static Layout load(int code, bool builtIn) {
        WX_FORMAT holder;
        return format().GetWXFmt(holder.Val, code, builtIn);
    }
    static Layout prefix(Layout l, size_t n) {
        l.resize(n);
        return l;
    }

    std::unique_ptr<ScriptedUserInterface> ui;
    std::unique_ptr<TempHome> home;
    std::shared_ptr<CompanyDatabase> company;
};

TEST_F(OpenCompanyLayouts, NewFileHoldsEveryEditableBuiltInLayout) {
    struct Expect {
        const char* table;
        int code;
        int rows;
    };
    for (const Expect& e : {Expect{"_1099MiscFormat", 0, 35}, Expect{"_1096Format", 2, 18},
                            Expect{"_1099INTFormat", 3, 36}, Expect{"_1099SFormat", 4, 22},
                            Expect{"_1099DIVFormat", 5, 39}, Expect{"_1099RFormat", 6, 42},
                            Expect{"_1099NECFormat", 9, 24}}) {
        SCOPED_TRACE(e.table);
        EXPECT_EQ(company->db->intForQuery(std::string("select count(*) from ") + e.table), e.rows);
        Layout stored = load(e.code, false);
        ASSERT_EQ(stored.size(), 100u);
        EXPECT_EQ(prefix(stored, e.rows), load(e.code, true));
        EXPECT_EQ(stored[e.rows], WX_FMTVAL());
    }
}

TEST_F(OpenCompanyLayouts, EditedLayoutIsWhatTheNextPrintLoads) {
    Layout edited = load(9, false);
    edited[8].pt() = WX_XPOINT{430, 155};
    edited[14].setNoprint(1);
    EXPECT_TRUE(company->Update1099NECFields(edited));

    Layout printed = load(9, false);
    EXPECT_EQ(printed[8], WX_FMTVAL(0, 0, 1, 100, 430, 155));
    EXPECT_EQ(printed[14].noprint(), 1);
    EXPECT_EQ(load(9, true)[8].pt().x, 425);
}

TEST_F(OpenCompanyLayouts, WithoutAnOpenCompanyTheDestinationComesBack) {
    session().DBH->setCompanyDatabase(nullptr);
    WX_FORMAT holder;
    EXPECT_EQ(format().GetWXFmt(holder.Val, 0, false), WX_FORMAT().Val);
}

}  // namespace
