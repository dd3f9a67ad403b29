// Between the fields and the two records: conversions, the name and state rules, the
// pop-up titles, the trimming of loaded records and the duplicate taxpayer-number rule.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/entry/EntryFormTable.h"
#include "core/entry/RecipientEntry.h"
#include "core/foundation/Session.h"

using namespace entry;

namespace {

class EntryRecords : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

TEST_F(EntryRecords, AmountsAreStoredAndShownThroughTheirOwnConversion) {
    const EntryFormTable& misc = miscForm();
    EntryView v = EntryView::empty(misc);
    v["Name_Type"] = "Individual";
    v["Rents_Text"] = "1,234.5";            // converted both ways
    v["LocalIncometax"] = "12";             // converted when stored, shown as stored
    v["StateNum1_Text"] = "0012-AB";        // text as typed
    v["ExcessGolden_Text"] = "99.00";       // Box 14: never stored
    RecipientRecords r;
    viewToRecords(misc, v, "Payer Co", r);
    EXPECT_EQ(r.info.getLine1_Misc(), "1234.50");
    EXPECT_EQ(r.additional.getline19_1_Misc(), "12.00");
    EXPECT_EQ(r.info.getLine17_1_Misc(), "0012-AB");
    EXPECT_EQ(r.info.getLine14_Misc(), "");

    r.info.setLine2_Misc("7");
    r.additional.setline19_2_Misc("7");
    const EntryView shown = recordsToView(misc, r, "Payer Co");
    EXPECT_EQ(shown.text[misc.indexOf("Royalties_Text")], "7.00");
    EXPECT_EQ(shown.text[misc.indexOf("Localincometax2")], "7");
    EXPECT_EQ(shown.text[misc.indexOf("ExcessGolden_Text")], "");

    // 1099-INT Box 18 stores a valid amount as the other boxes do and any other text as
    // typed; Box 17 beside it is converted.
    const EntryFormTable& in = intForm();
    EntryView iv = EntryView::empty(in);
    iv["INT_StateINC1_P"] = "1,234.5";
    iv["INT_StateINC2_P"] = "15,00";
    iv["StateTaxWithheldStaticText"] = "1,234.5";
    iv["StateTaxWithheldStaticText1"] = "1,2,3";
    iv["BondPremiumOnTreasuryStaticText"] = "3";   // Box 12 lives in int_line17
    RecipientRecords ir;
    viewToRecords(in, iv, "Payer Co", ir);
    EXPECT_EQ(ir.additional.getInt_StateINCM_1(), "1234.50");
    EXPECT_EQ(ir.additional.getInt_StateINCM_2(), "15,00");
    EXPECT_EQ(ir.info.getInt_Line15_2(), "INVALID");   // not 123.00
    EXPECT_EQ(ir.info.getInt_Line15_1(), "1234.50");
    EXPECT_EQ(ir.info.getInt_Line17(), "3.00");
    ir.additional.setInt_StateINCM_2("40");
    EXPECT_EQ(recordsToView(in, ir, "").text[in.indexOf("INT_StateINC2_P")], "40.00");

    // 1099-NEC Box 8 is shown exactly as stored.
    const EntryFormTable& nec = necForm();
    RecipientRecords nr;
    nr.additional.setLine8_1_NEC("5");
    nr.info.setLine1_NEC("5");
    const EntryView nv = recordsToView(nec, nr, "");
    EXPECT_EQ(nv.text[nec.indexOf("Statelocal1")], "5");
    EXPECT_EQ(nv.text[nec.indexOf("Nonemployeecompansation")], "5.00");
}

TEST_F(EntryRecords, AnIndividualsNameLineHoldsThePayersNameAndABusinessItsOwn) {
    const EntryFormTable& s = necForm();
    EntryView v = EntryView::empty(s);
    v["Nametype"] = "Individual";
    v["CompanyLastName_Text"] = "Typed Name";
    v["FirstName_Text"] = "Ann";
    v["Lastname"] = "Lee";
    RecipientRecords r;
    viewToRecords(s, v, "Payer Co", r);
    EXPECT_EQ(r.info.getLastName(), "Payer Co");
    EXPECT_EQ(r.additional.getname_type(), "Individual");
    EXPECT_EQ(r.info.getType(), 7);
    EXPECT_EQ(r.additional.getType(), 7);

    v["Nametype"] = "Business Name";
    viewToRecords(s, v, "Payer Co", r);
    EXPECT_EQ(r.info.getLastName(), "Typed Name");

    // Shown: a business its own name, or the payer's when it has none; an individual,
    // and a record without number and name (a new one), the payer's.
    r.info.setTaxID("123456789");
    EXPECT_EQ(recordsToView(s, r, "Payer Co")["CompanyLastName_Text"], "Typed Name");
    r.info.setLastName("");
    EXPECT_EQ(recordsToView(s, r, "Payer Co")["CompanyLastName_Text"], "Payer Co");
    r.info.setTaxID("");
    EntryView fresh = recordsToView(s, r, "Payer Co");
    EXPECT_EQ(fresh["Nametype"], "Individual");
    EXPECT_EQ(fresh["CompanyLastName_Text"], "Payer Co");

    // A payer's name longer than the line (an imported one) stands in it cut, as on a
    // loaded record, and is still stored whole.
    const std::string longName(45, 'p');
    fresh = recordsToView(s, r, longName);
    EXPECT_EQ(fresh["CompanyLastName_Text"], std::string(40, 'p'));
    fresh["Nametype"] = "Individual";
    viewToRecords(s, fresh, longName, r);
    EXPECT_EQ(r.info.getLastName(), longName);
}

TEST_F(EntryRecords, TheStateComesFromTheProvinceWhileTheAddressIsForeign) {
    const EntryFormTable& s = miscForm();
    EntryView v = EntryView::empty(s);
    v["Statepopup"] = "Ohio-OH";
    v["NonUSterritory"] = "Ontario";
    RecipientRecords r;
    viewToRecords(s, v, "", r);
    EXPECT_EQ(r.info.getState(), "Ohio-OH");
    v.tick("AddressNotInUS_Checkbox", true);
    viewToRecords(s, v, "", r);
    EXPECT_EQ(r.info.getState(), "Ontario");
    EXPECT_TRUE(r.info.getAddressIsNotUSTerritory());

    EntryView shown = recordsToView(s, r, "");
    EXPECT_EQ(shown["Statepopup"], "None");
    EXPECT_EQ(shown["NonUSterritory"], "Ontario");
    r.info.setAddressIsNotUSTerritory(false);
    shown = recordsToView(s, r, "");
    EXPECT_EQ(shown["Statepopup"], "Ontario");   // the window shows its first item for an unknown title
    EXPECT_EQ(shown["NonUSterritory"], " ");
}

TEST_F(EntryRecords, CheckBoxesAndPopUpsReachTheirRecords) {
    const EntryFormTable& s = intForm();
    EntryView v = EntryView::empty(s);
    v["Tin_type"] = "QI-EIN";
    v["Nametype"] = "Business Name";
    v["StateToppopup"] = "Iowa-IA";
    v.tick("Void", true);
    v.tick("Corrected", true);
    v.tick("FATCA_Button", true);
    v.tick("SecondInt_Button", true);
    RecipientRecords r;
    viewToRecords(s, v, "", r);
    EXPECT_TRUE(r.info.getVoided() && r.additional.getVoided());
    EXPECT_TRUE(r.info.getCorrected() && r.additional.getCorrected());
    EXPECT_TRUE(r.info.getFATCA_INT());
    EXPECT_FALSE(r.info.getFATCA_MISC());
    EXPECT_TRUE(r.info.getSecondTin());
    EXPECT_EQ(r.additional.gettin_type(), "QI-EIN");
    EXPECT_EQ(r.additional.getname_type(), "Business Name");
    EXPECT_EQ(r.info.getInt_Line13_1(), "Iowa-IA");

    r.info.setLastName("Acme");
    const EntryView shown = recordsToView(s, r, "");
    EXPECT_TRUE(shown.checked[s.indexOf("Void")]);
    EXPECT_EQ(shown.text[s.indexOf("Nametype")], "Business Name");
    EXPECT_EQ(shown.text[s.indexOf("Tin_type")], "QI-EIN");
}

TEST_F(EntryRecords, StoredTinTypesAndNameTypesPickTheirItems) {
    const std::vector<std::pair<std::string, int>> tin{{"", 0},     {"SSN", 0}, {"ein", 1},  {"ATIN", 2},
                                                        {"itin", 3}, {"QI-EIN", 4}, {"UND", 5}, {"3", 3},
                                                        {"9", 0},    {"other", 0}};
    for (const auto& [stored, index] : tin) EXPECT_EQ(tinTypeIndex(stored), index) << stored;
    for (const char* business : {"Business Name", "business", "B", "1"}) EXPECT_TRUE(isBusinessNameType(business));
    for (const char* individual : {"Individual", "", "Sole"}) EXPECT_FALSE(isBusinessNameType(individual));
}

TEST_F(EntryRecords, LoadedRecordsAreTrimmedToTheirFields) {
    const EntryFormTable& s = miscForm();
    EntryView v = EntryView::empty(s);
    v["FirstName_Text"] = std::string(25, 'f');
    v["CompanyLastName_Text"] = std::string(45, 'b');
    v["RecAddress_Text"] = std::string(41, 'a');
    v["Office_Code"] = " 12345\n";
    v["ReciCity_text"] = std::string(45, 'c');   // not cut
    v["Last_Name"] = "\xC3\xA9" + std::string(24, 'e');   // counted in characters
    trimView(s, v);
    EXPECT_EQ(v["FirstName_Text"], std::string(20, 'f'));
    EXPECT_EQ(v["CompanyLastName_Text"], std::string(40, 'b'));
    EXPECT_EQ(v["RecAddress_Text"], std::string(40, 'a'));
    EXPECT_EQ(v["Office_Code"], "1234");
    EXPECT_EQ(v["ReciCity_text"], std::string(45, 'c'));
    EXPECT_EQ(cutToLength("\xC3\xA9\xC3\xA9xyz", 3), "\xC3\xA9\xC3\xA9x");
}

// The 1099-R whole-number boxes: -1 empty, -2 not valid ("INVALID"); Box 8 % of 100 or
// more is no percentage and is stored as not valid, Box 9a keeps its value.
TEST_F(EntryRecords, RWholeNumbersAreStoredAndShown) {
    const EntryFormTable& r = rForm();
    struct Case {
        const char* outlet;
        std::string typed;
        int32_t stored;
        std::string shown;
    };
    const Case cases[] = {
        {"OtherStaticText1", "", -1, ""},          {"OtherStaticText1", "5", 5, "5"},
        {"OtherStaticText1", "05", 5, "5"},        {"OtherStaticText1", "99", 99, "99"},
        {"OtherStaticText1", "0", -2, "INVALID"},  {"OtherStaticText1", "00", -2, "INVALID"},
        {"OtherStaticText1", "100", -2, "INVALID"}, {"OtherStaticText1", "12345", -2, "INVALID"},
        {"OtherStaticText1", "abc", -2, "INVALID"}, {"PerOfTotalDistStaticText", "", -1, ""},
        {"PerOfTotalDistStaticText", "150", 150, "150"}, {"PerOfTotalDistStaticText", "0", -2, "INVALID"},
        {"FirstYearofDesigStaticText", "2019", 2019, "2019"}, {"FirstYearofDesigStaticText", "", -1, ""},
        {"FirstYearofDesigStaticText", "x", -2, "INVALID"},
    };
    auto number = [](const RecipientInfo& info, const std::string& outlet) {
        if (outlet == "OtherStaticText1") return info.getR_Line8_Percentage();
        if (outlet == "PerOfTotalDistStaticText") return info.getR_Line9a();
        return info.getR_Line11();
    };
    for (const Case& c : cases) {
        EntryView v = EntryView::empty(r);
        v[c.outlet] = c.typed;
        RecipientRecords records;
        viewToRecords(r, v, "", records);
        EXPECT_EQ(number(records.info, c.outlet), c.stored) << c.outlet << " = \"" << c.typed << "\"";
        EXPECT_EQ(recordsToView(r, records, "")[c.outlet], c.shown) << c.outlet << " = \"" << c.typed << "\"";
    }
    // A new record shows the three boxes empty.
    const EntryView fresh = recordsToView(r, RecipientRecords(), "");
    for (const char* outlet : {"OtherStaticText1", "PerOfTotalDistStaticText", "FirstYearofDesigStaticText"})
        EXPECT_EQ(fresh.text[r.indexOf(outlet)], "") << outlet;
}

// Boxes whose property carries another number than the box, and the boxes kept as typed
// or shown as stored.
TEST_F(EntryRecords, DivAndRBoxesReachTheirProperties) {
    const EntryFormTable& div = divForm();
    EntryView v = EntryView::empty(div);
    v["Sec199ADividends"] = "5";              // Box 5
    v["InvestmentStaticText"] = "6";          // Box 6
    v["ForeignCountryStaticText"] = "Canada"; // Box 8, text
    v["SpecifiedTStaticText"] = "13";         // Box 13
    v["StateTop_popupBtn"] = "Iowa-IA";
    v["D_StateInc1_P"] = "1,234.5";           // Box 17: a valid amount stored as the others
    v["LocalIncometax"] = "7";                // Box 18: converted
    v.tick("FATCACheckbox", true);
    v.tick("Correced", true);
    RecipientRecords d;
    viewToRecords(div, v, "", d);
    EXPECT_EQ(d.info.getDiv_Sec199ADiv(), "5.00");
    EXPECT_EQ(d.info.getDiv_Line5(), "6.00");
    EXPECT_EQ(d.info.getDiv_Line7(), "Canada");
    EXPECT_EQ(d.info.getDiv_Line11(), "13.00");
    EXPECT_EQ(d.info.getDiv_Line12_1(), "Iowa-IA");
    EXPECT_EQ(d.additional.getDiv_StateINC_1(), "1234.50");
    EXPECT_EQ(d.additional.getDiv_Line15_1(), "7.00");
    EXPECT_TRUE(d.info.getFATCA_DIV());
    EXPECT_TRUE(d.info.getCorrected() && d.additional.getCorrected());
    EXPECT_EQ(d.info.getType(), 2);
    d.additional.setDiv_Line15_2("8");
    const EntryView shown = recordsToView(div, d, "");
    EXPECT_EQ(shown.text[div.indexOf("D_StateInc1_P")], "1234.50");  // a point: shown as stored
    EXPECT_EQ(shown.text[div.indexOf("Localincometax2")], "8");

    const EntryFormTable& r = rForm();
    EntryView rv = EntryView::empty(r);
    rv["StateTaxWithheldStaticText"] = "14";  // Box 14
    rv["LocalDistributionStaticText1"] = "19"; // Box 19, bottom
    rv["DistributionCodeStaticText"] = "k7";   // as typed
    rv["R_StateInc1_P"] = "20,000";            // Box 20: a valid amount stored as the others
    rv["StateLocalincome"] = "21";             // Box 21: converted
    rv["R_State2_P"] = "Utah-UT";
    rv.tick("secondTINCheckbox", true);        // Box 2b, not the second-TIN notice
    RecipientRecords rr;
    viewToRecords(r, rv, "", rr);
    EXPECT_EQ(rr.info.getR_Line12_1(), "14.00");
    EXPECT_EQ(rr.info.getR_Line17_2(), "19.00");
    EXPECT_EQ(rr.info.getR_Line7(), "k7");
    EXPECT_EQ(rr.additional.getStateINC1_R(), "20000.00");
    EXPECT_EQ(rr.additional.getR_Line18_1(), "21.00");
    EXPECT_EQ(rr.additional.getBottomState_R(), "Utah-UT");
    EXPECT_TRUE(rr.info.getR_Line2b_Checkbox_1());
    EXPECT_FALSE(rr.info.getSecondTin());
    EXPECT_EQ(rr.info.getType(), 4);
    const EntryView rshown = recordsToView(r, rr, "");
    EXPECT_EQ(rshown.text[r.indexOf("R_StateInc1_P")], "20000.00");
    EXPECT_EQ(rshown.text[r.indexOf("StateLocalincome")], "21.00");
}

// The 1099-S Box 3 state pop-up shows a stored state given by code, name or title, in
// any case; it stores the item's title.
TEST_F(EntryRecords, SBox3StateShowsItsItemHoweverItWasStored) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"OH", "Ohio-OH"},   {"oh", "Ohio-OH"},         {"Ohio", "Ohio-OH"}, {"OHIO", "Ohio-OH"},
        {"ohio-oh", "Ohio-OH"}, {"New York", "New York-NY"}, {"", "None"},  {"None", "None"},
        {"Atlantis", "None"}, {"O", "None"}};
    const EntryFormTable& s = sForm();
    for (const auto& [stored, item] : cases) {
        RecipientRecords r;
        r.info.setS_State_Line3(stored);
        EXPECT_EQ(recordsToView(s, r, "")["Stateinfopopup"], item) << stored;
    }
    EntryView v = EntryView::empty(s);
    v["Stateinfopopup"] = "Ohio-OH";
    RecipientRecords r;
    viewToRecords(s, v, "", r);
    EXPECT_EQ(r.info.getS_State_Line3(), "Ohio-OH");
}

}  // namespace
