// New Recipient's form-kind dialog: no kind chosen at first unless a form-kind switch
// is on, OK without a kind does nothing, each kind opens its entry window, Cancel and
// the close box open nothing.

#include <map>
#include <ostream>

#include <QRadioButton>
#include <QSettings>

#include "RecordsFixture.h"
#include "ui/entry/DIVFrame.h"
#include "ui/entry/INTFrame.h"
#include "ui/entry/MISCFrame.h"
#include "ui/entry/NECFrame.h"
#include "ui/entry/RFrame.h"
#include "ui/entry/SFrame.h"
#include "ui/records/FormKindSwitches.h"
#include "ui/records/RecipientType.h"

namespace {

const char* const kRadios[] = {"MiscType_Data", "DivType_Data", "INTType_Data",
                               "RType_Data",    "SType_Data",   "NECType_Data"};

class FormKindDialog : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        payer = addPayer("Harbor View Dental LLC");
        selectPayer(payer);
    }
    std::vector<std::string> checkedRadios(QWidget& w) {
        std::vector<std::string> on;
        for (const char* name : kRadios)
            if (uitest::child<QRadioButton>(&w, name)->isChecked()) on.emplace_back(name);
        return on;
    }
    bool anyEntryWindow() const {
        return main->Miscframe() || main->Int() || main->NECframe() || main->Div() || main->Rframe() ||
               main->Sframe();
    }

    int32_t payer = -1;
};

TEST_F(FormKindDialog, OkWithNothingChosenDoesNothingAndCancelOpensNothing) {
    auto responder = respond([this](QWidget& w) {
        EXPECT_TRUE(checkedRadios(w).empty());
        click(&w, "OK_Button");
        EXPECT_TRUE(isRunningModal(&w));
        EXPECT_FALSE(anyEntryWindow());
        click(&w, "Cancel_Button");
        EXPECT_FALSE(isRunningModal(&w));
    });
    main->NewRecipient();
    EXPECT_EQ(modalWindows, std::vector<std::string>{"RecipientType"});
    EXPECT_FALSE(anyEntryWindow());
    EXPECT_TRUE(session().recp_details->ModeIsNew());

    // The close box and Escape cancel too.
    auto closing = respond([](QWidget& w) { w.close(); });
    main->NewRecipient();
    auto escaping = respond([](QWidget& w) { escape(&w); });
    main->NewRecipient();
    EXPECT_EQ(modalWindows.size(), 3u);
    EXPECT_FALSE(anyEntryWindow());
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(FormKindDialog, WithoutASelectedPayerNothingIsAsked) {
    userSelect(companies(), {});
    auto responder = respond([](QWidget& w) { click(&w, "Cancel_Button"); });
    main->NewRecipient();
    EXPECT_TRUE(modalWindows.empty());
}

struct Choice {
    const char* radio;
    int32_t kind;
    const char* window;    // the entry window that opens
};
void PrintTo(const Choice& c, std::ostream* os) { *os << c.radio; }

class FormKindChoice : public FormKindDialog, public ::testing::WithParamInterface<Choice> {};

TEST_P(FormKindChoice, OpensTheEntryWindowOfTheChosenKind) {
    const Choice c = GetParam();
    int32_t chosen = 0;
    auto responder = respond([&](QWidget& w) {
        click(&w, c.radio);
        click(&w, "OK_Button");
        EXPECT_FALSE(isRunningModal(&w));
        chosen = static_cast<RecipientType&>(w).typeOfRecipient();
    });
    main->NewRecipient();
    EXPECT_EQ(chosen, c.kind);
    EXPECT_TRUE(scripted->boxes().empty());
    const std::map<int32_t, QWidget*> kept{{1, main->Miscframe()}, {2, main->Div()}, {3, main->Int()},
                                           {4, main->Rframe()}, {5, main->Sframe()}, {7, main->NECframe()}};
    QWidget* opened = kept.at(c.kind);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->objectName().toStdString(), c.window);
    EXPECT_TRUE(opened->isVisible());
    auto* entry = static_cast<RecipientEntryWindow*>(opened);
    EXPECT_FALSE(entry->isEditMode());
    EXPECT_EQ(entry->payerKey(), payer);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FormKindChoice,
    ::testing::Values(Choice{"MiscType_Data", 1, "MISCFrame"}, Choice{"INTType_Data", 3, "INTFrame"},
                      Choice{"NECType_Data", 7, "NECFrame"}, Choice{"DivType_Data", 2, "DIVFrame"},
                      Choice{"RType_Data", 4, "RFrame"}, Choice{"SType_Data", 5, "SFrame"}),
    [](const ::testing::TestParamInfo<Choice>& p) { return std::string(p.param.radio); });

TEST_F(FormKindDialog, ASwitchInTheUsersSettingsStartsItsKind) {
    {
        QSettings settings(userSettingsFile(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("NEC"), true);
        settings.setValue(QStringLiteral("INT"), true);
        settings.setValue(QStringLiteral("MISC"), false);
        settings.sync();
        ASSERT_EQ(settings.status(), QSettings::NoError);
    }
    std::vector<std::string> on;
    auto responder = respond([&](QWidget& w) {
        on = checkedRadios(w);
        const FormKindSwitches& s = static_cast<RecipientType&>(w).switches();
        EXPECT_TRUE(s.INT && s.NEC && !s.MISC && !s.DIV && !s.R && !s.S);
        click(&w, "OK_Button");
    });
    main->NewRecipient();
    // The first kind in the dialog's order whose switch is on.
    EXPECT_EQ(on, std::vector<std::string>{"INTType_Data"});
    EXPECT_NE(main->Int(), nullptr);
}

}  // namespace
