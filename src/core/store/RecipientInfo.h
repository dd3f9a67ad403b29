#pragma once

// One recipient of one payer for one form kind. A single class carries every form
// kind: identity, address and status are shared, and each kind has its own group of
// box fields, of which only the group of the record's type means anything. The
// recipient's further name fields and second-state boxes live in the companion
// RecipientAdditionalInfo under the same key.
//
// Amounts are held as text with a decimal point and two decimals ("1234.56"), the
// empty text for an empty box. Taxpayer and account numbers are plain here; the row
// layer scrambles them on the way to the file.
//
// Every field has a property pair named after it (int_line1() / setInt_line1()) and,
// for most, an older explicit pair (getInt_Line1() / setInt_Line1()); both reach the
// same field and neither checks or converts anything.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/foundation/RefusedEntry.h"
#include "core/foundation/StoredAmount.h"

class RecipientInfo {
public:
    RecipientInfo() = default;

    // "first last"; with an empty first name the result begins with the blank.
    std::string getName() const;
    // The 1099-S property address on one line: the street alone when city, state and
    // ZIP are all empty, else "street city ST zip" (ST empty for an unknown state).
    std::string getS_Line3() const;

    // The total amount reported on this form in cents, as the 1096 summary counts it.
    // A 1099-MISC record also leaves its box 9 amount in session().nec (0 when void).
    // Each box is read by StoredAmount; a box it refuses counts 0, so a caller that
    // files or prints the total asks refusedTotalAmount first.
    int64_t getTotalPaid() const;
    // The federal income tax withheld on this form in cents; 0 for 1099-S and voids.
    int64_t getTotalTaxPaid() const;
    // The first box that getTotalPaid or getTotalTaxPaid reads whose text StoredAmount
    // refuses; nothing when every one reads. A void record reads no box.
    std::optional<RefusedEntry> refusedTotalAmount() const;

    // Dollar text to cents: -1 for the empty text, -2 for text that is not an amount.
    static int64_t dollarStringToInt(const std::string& text);

    // ---- Identity, address and status (every form kind) ----
    int32_t PK() const { return PK_; }
    void setPK(int32_t v) { PK_ = v; }
    int32_t getPK() const { return PK_; }
    int32_t company_FK() const { return company_FK_; }
    void setCompany_FK(int32_t v) { company_FK_ = v; }
    int32_t getCompany_FK() const { return company_FK_; }
    int32_t type() const { return type_; }
    void setType(int32_t v) { type_ = v; }
    int32_t getType() const { return type_; }
    const std::string& firstName() const { return firstName_; }
    void setFirstName(std::string v) { firstName_ = std::move(v); }
    const std::string& getFirstName() const { return firstName_; }
    const std::string& lastName() const { return lastName_; }
    void setLastName(std::string v) { lastName_ = std::move(v); }
    const std::string& getLastName() const { return lastName_; }
    const std::string& address() const { return address_; }
    void setAddress(std::string v) { address_ = std::move(v); }
    const std::string& getAddress() const { return address_; }
    const std::string& city() const { return city_; }
    void setCity(std::string v) { city_ = std::move(v); }
    const std::string& getCity() const { return city_; }
    const std::string& state() const { return state_; }
    void setState(std::string v) { state_ = std::move(v); }
    const std::string& getState() const { return state_; }
    const std::string& zip() const { return zip_; }
    void setZip(std::string v) { zip_ = std::move(v); }
    const std::string& getZip() const { return zip_; }
    const std::string& country() const { return country_; }
    void setCountry(std::string v) { country_ = std::move(v); }
    const std::string& getCountry() const { return country_; }
    bool addressIsNotUSTerritory() const { return addressIsNotUSTerritory_; }
    void setAddressIsNotUSTerritory(bool v) { addressIsNotUSTerritory_ = v; }
    bool getAddressIsNotUSTerritory() const { return addressIsNotUSTerritory_; }
    const std::string& taxID() const { return taxID_; }
    void setTaxID(std::string v) { taxID_ = std::move(v); }
    const std::string& getTaxID() const { return taxID_; }
    bool taxIDIsSSN() const { return taxIDIsSSN_; }
    void setTaxIDIsSSN(bool v) { taxIDIsSSN_ = v; }
    bool getTaxIDIsSSN() const { return taxIDIsSSN_; }
    const std::string& accountNumber() const { return accountNumber_; }
    void setAccountNumber(std::string v) { accountNumber_ = std::move(v); }
    const std::string& getAccountNumber() const { return accountNumber_; }
    bool secondTin() const { return secondTin_; }
    void setSecondTin(bool v) { secondTin_ = v; }
    bool getSecondTin() const { return secondTin_; }
    bool voided() const { return voided_; }
    void setVoided(bool v) { voided_ = v; }
    bool getVoided() const { return voided_; }
    bool corrected() const { return corrected_; }
    void setCorrected(bool v) { corrected_ = v; }
    bool getCorrected() const { return corrected_; }
    bool validated() const { return validated_; }
    void setValidated(bool v) { validated_ = v; }
    bool getValidated() const { return validated_; }
    bool printed() const { return printed_; }
    void setPrinted(bool v) { printed_ = v; }
    bool getPrinted() const { return printed_; }
    bool completed() const { return completed_; }
    void setCompleted(bool v) { completed_ = v; }
    bool getCompleted() const { return completed_; }
    int64_t miscval() const { return miscval_; }
    void setMiscval(int64_t v) { miscval_ = v; }

    // ---- 1099-MISC (type 1). line9_Misc is the box 7 check box, line7_Misc box 9, line14_Misc box 15 ----
    const std::string& line1_Misc() const { return line1_Misc_; }
    void setLine1_Misc(std::string v) { line1_Misc_ = std::move(v); }
    const std::string& getLine1_Misc() const { return line1_Misc_; }
    const std::string& line2_Misc() const { return line2_Misc_; }
    void setLine2_Misc(std::string v) { line2_Misc_ = std::move(v); }
    const std::string& getLine2_Misc() const { return line2_Misc_; }
    const std::string& line3_Misc() const { return line3_Misc_; }
    void setLine3_Misc(std::string v) { line3_Misc_ = std::move(v); }
    const std::string& getLine3_Misc() const { return line3_Misc_; }
    const std::string& line4_Misc() const { return line4_Misc_; }
    void setLine4_Misc(std::string v) { line4_Misc_ = std::move(v); }
    const std::string& getLine4_Misc() const { return line4_Misc_; }
    const std::string& line5_Misc() const { return line5_Misc_; }
    void setLine5_Misc(std::string v) { line5_Misc_ = std::move(v); }
    const std::string& getLine5_Misc() const { return line5_Misc_; }
    const std::string& line6_Misc() const { return line6_Misc_; }
    void setLine6_Misc(std::string v) { line6_Misc_ = std::move(v); }
    const std::string& getLine6_Misc() const { return line6_Misc_; }
    bool line9_Misc() const { return line9_Misc_; }
    void setLine9_Misc(bool v) { line9_Misc_ = v; }
    bool getLine9_Misc() const { return line9_Misc_; }
    const std::string& line8_Misc() const { return line8_Misc_; }
    void setLine8_Misc(std::string v) { line8_Misc_ = std::move(v); }
    const std::string& getLine8_Misc() const { return line8_Misc_; }
    const std::string& line7_Misc() const { return line7_Misc_; }
    void setLine7_Misc(std::string v) { line7_Misc_ = std::move(v); }
    const std::string& getLine7_Misc() const { return line7_Misc_; }
    const std::string& line10_Misc() const { return line10_Misc_; }
    void setLine10_Misc(std::string v) { line10_Misc_ = std::move(v); }
    const std::string& getLine10_Misc() const { return line10_Misc_; }
    const std::string& line11_Misc() const { return line11_Misc_; }
    void setLine11_Misc(std::string v) { line11_Misc_ = std::move(v); }
    const std::string& getLine11_Misc() const { return line11_Misc_; }
    const std::string& line12_Misc() const { return line12_Misc_; }
    void setLine12_Misc(std::string v) { line12_Misc_ = std::move(v); }
    const std::string& getLine12_Misc() const { return line12_Misc_; }
    const std::string& line14_Misc() const { return line14_Misc_; }
    void setLine14_Misc(std::string v) { line14_Misc_ = std::move(v); }
    const std::string& getLine14_Misc() const { return line14_Misc_; }
    const std::string& line13_Misc() const { return line13_Misc_; }
    void setLine13_Misc(std::string v) { line13_Misc_ = std::move(v); }
    const std::string& getLine13_Misc() const { return line13_Misc_; }
    const std::string& line15a_Misc() const { return line15a_Misc_; }
    void setLine15a_Misc(std::string v) { line15a_Misc_ = std::move(v); }
    const std::string& getLine15a_Misc() const { return line15a_Misc_; }
    const std::string& line15b_Misc() const { return line15b_Misc_; }
    void setLine15b_Misc(std::string v) { line15b_Misc_ = std::move(v); }
    const std::string& getLine15b_Misc() const { return line15b_Misc_; }
    const std::string& line16_1_Misc() const { return line16_1_Misc_; }
    void setLine16_1_Misc(std::string v) { line16_1_Misc_ = std::move(v); }
    const std::string& getLine16_1_Misc() const { return line16_1_Misc_; }
    const std::string& line16_2_Misc() const { return line16_2_Misc_; }
    void setLine16_2_Misc(std::string v) { line16_2_Misc_ = std::move(v); }
    const std::string& getLine16_2_Misc() const { return line16_2_Misc_; }
    const std::string& line17_1_Misc() const { return line17_1_Misc_; }
    void setLine17_1_Misc(std::string v) { line17_1_Misc_ = std::move(v); }
    const std::string& getLine17_1_Misc() const { return line17_1_Misc_; }
    const std::string& line17_2_Misc() const { return line17_2_Misc_; }
    void setLine17_2_Misc(std::string v) { line17_2_Misc_ = std::move(v); }
    const std::string& getLine17_2_Misc() const { return line17_2_Misc_; }
    const std::string& line18_1_Misc() const { return line18_1_Misc_; }
    void setLine18_1_Misc(std::string v) { line18_1_Misc_ = std::move(v); }
    const std::string& getLine18_1_Misc() const { return line18_1_Misc_; }
    const std::string& line18_2_Misc() const { return line18_2_Misc_; }
    void setLine18_2_Misc(std::string v) { line18_2_Misc_ = std::move(v); }
    const std::string& getLine18_2_Misc() const { return line18_2_Misc_; }
    bool FATCA_MISC() const { return FATCA_MISC_; }
    void setFATCA_MISC(bool v) { FATCA_MISC_ = v; }
    bool getFATCA_MISC() const { return FATCA_MISC_; }

    // ---- 1099-NEC (type 7) ----
    const std::string& line1_NEC() const { return line1_NEC_; }
    void setLine1_NEC(std::string v) { line1_NEC_ = std::move(v); }
    const std::string& getLine1_NEC() const { return line1_NEC_; }
    bool nec_line2_2() const { return nec_line2_2_; }
    void setNec_line2_2(bool v) { nec_line2_2_ = v; }
    bool getNec_Line2_2() const { return nec_line2_2_; }
    void setNec_Line2_2(bool v) { nec_line2_2_ = v; }
    const std::string& line3_NEC() const { return line3_NEC_; }
    void setLine3_NEC(std::string v) { line3_NEC_ = std::move(v); }
    const std::string& getLine3_NEC() const { return line3_NEC_; }
    const std::string& line4_NEC() const { return line4_NEC_; }
    void setLine4_NEC(std::string v) { line4_NEC_ = std::move(v); }
    const std::string& getLine4_NEC() const { return line4_NEC_; }
    const std::string& line5_1_NEC() const { return line5_1_NEC_; }
    void setLine5_1_NEC(std::string v) { line5_1_NEC_ = std::move(v); }
    const std::string& getLine5_1_NEC() const { return line5_1_NEC_; }
    const std::string& line5_2_NEC() const { return line5_2_NEC_; }
    void setLine5_2_NEC(std::string v) { line5_2_NEC_ = std::move(v); }
    const std::string& getLine5_2_NEC() const { return line5_2_NEC_; }
    const std::string& line6_1_NEC() const { return line6_1_NEC_; }
    void setLine6_1_NEC(std::string v) { line6_1_NEC_ = std::move(v); }
    const std::string& getLine6_1_NEC() const { return line6_1_NEC_; }
    const std::string& line6_2_NEC() const { return line6_2_NEC_; }
    void setLine6_2_NEC(std::string v) { line6_2_NEC_ = std::move(v); }
    const std::string& getLine6_2_NEC() const { return line6_2_NEC_; }
    const std::string& line7_1_NEC() const { return line7_1_NEC_; }
    void setLine7_1_NEC(std::string v) { line7_1_NEC_ = std::move(v); }
    const std::string& getLine7_1_NEC() const { return line7_1_NEC_; }
    const std::string& line7_2_NEC() const { return line7_2_NEC_; }
    void setLine7_2_NEC(std::string v) { line7_2_NEC_ = std::move(v); }
    const std::string& getLine7_2_NEC() const { return line7_2_NEC_; }
    bool FATCA_NEC() const { return FATCA_NEC_; }
    void setFATCA_NEC(bool v) { FATCA_NEC_ = v; }
    bool getFATCA_NEC() const { return FATCA_NEC_; }

    // ---- 1099-DIV (type 2). div_sec199ADiv is box 5, div_line5 box 6 and so on up to div_line11 box 13; div_line7 is a country name ----
    const std::string& div_line1a() const { return div_line1a_; }
    void setDiv_line1a(std::string v) { div_line1a_ = std::move(v); }
    const std::string& getDiv_Line1a() const { return div_line1a_; }
    void setDiv_Line1a(std::string v) { div_line1a_ = std::move(v); }
    const std::string& div_line1b() const { return div_line1b_; }
    void setDiv_line1b(std::string v) { div_line1b_ = std::move(v); }
    const std::string& getDiv_Line1b() const { return div_line1b_; }
    void setDiv_Line1b(std::string v) { div_line1b_ = std::move(v); }
    const std::string& div_line2a() const { return div_line2a_; }
    void setDiv_line2a(std::string v) { div_line2a_ = std::move(v); }
    const std::string& getDiv_Line2a() const { return div_line2a_; }
    void setDiv_Line2a(std::string v) { div_line2a_ = std::move(v); }
    const std::string& div_line2b() const { return div_line2b_; }
    void setDiv_line2b(std::string v) { div_line2b_ = std::move(v); }
    const std::string& getDiv_Line2b() const { return div_line2b_; }
    void setDiv_Line2b(std::string v) { div_line2b_ = std::move(v); }
    const std::string& div_line2c() const { return div_line2c_; }
    void setDiv_line2c(std::string v) { div_line2c_ = std::move(v); }
    const std::string& getDiv_Line2c() const { return div_line2c_; }
    void setDiv_Line2c(std::string v) { div_line2c_ = std::move(v); }
    const std::string& div_line2d() const { return div_line2d_; }
    void setDiv_line2d(std::string v) { div_line2d_ = std::move(v); }
    const std::string& getDiv_Line2d() const { return div_line2d_; }
    void setDiv_Line2d(std::string v) { div_line2d_ = std::move(v); }
    const std::string& div_line2e() const { return div_line2e_; }
    void setDiv_line2e(std::string v) { div_line2e_ = std::move(v); }
    const std::string& getDiv_Line2e() const { return div_line2e_; }
    void setDiv_Line2e(std::string v) { div_line2e_ = std::move(v); }
    const std::string& div_line2f() const { return div_line2f_; }
    void setDiv_line2f(std::string v) { div_line2f_ = std::move(v); }
    const std::string& getDiv_Line2f() const { return div_line2f_; }
    void setDiv_Line2f(std::string v) { div_line2f_ = std::move(v); }
    const std::string& div_line3() const { return div_line3_; }
    void setDiv_line3(std::string v) { div_line3_ = std::move(v); }
    const std::string& getDiv_Line3() const { return div_line3_; }
    void setDiv_Line3(std::string v) { div_line3_ = std::move(v); }
    const std::string& div_line4() const { return div_line4_; }
    void setDiv_line4(std::string v) { div_line4_ = std::move(v); }
    const std::string& getDiv_Line4() const { return div_line4_; }
    void setDiv_Line4(std::string v) { div_line4_ = std::move(v); }
    const std::string& div_sec199ADiv() const { return div_sec199ADiv_; }
    void setDiv_sec199ADiv(std::string v) { div_sec199ADiv_ = std::move(v); }
    const std::string& getDiv_Sec199ADiv() const { return div_sec199ADiv_; }
    void setDiv_Sec199ADiv(std::string v) { div_sec199ADiv_ = std::move(v); }
    const std::string& div_line5() const { return div_line5_; }
    void setDiv_line5(std::string v) { div_line5_ = std::move(v); }
    const std::string& getDiv_Line5() const { return div_line5_; }
    void setDiv_Line5(std::string v) { div_line5_ = std::move(v); }
    const std::string& div_line6() const { return div_line6_; }
    void setDiv_line6(std::string v) { div_line6_ = std::move(v); }
    const std::string& getDiv_Line6() const { return div_line6_; }
    void setDiv_Line6(std::string v) { div_line6_ = std::move(v); }
    const std::string& div_line7() const { return div_line7_; }
    void setDiv_line7(std::string v) { div_line7_ = std::move(v); }
    const std::string& getDiv_Line7() const { return div_line7_; }
    void setDiv_Line7(std::string v) { div_line7_ = std::move(v); }
    const std::string& div_line8() const { return div_line8_; }
    void setDiv_line8(std::string v) { div_line8_ = std::move(v); }
    const std::string& getDiv_Line8() const { return div_line8_; }
    void setDiv_Line8(std::string v) { div_line8_ = std::move(v); }
    const std::string& div_line9() const { return div_line9_; }
    void setDiv_line9(std::string v) { div_line9_ = std::move(v); }
    const std::string& getDiv_Line9() const { return div_line9_; }
    void setDiv_Line9(std::string v) { div_line9_ = std::move(v); }
    const std::string& div_line10() const { return div_line10_; }
    void setDiv_line10(std::string v) { div_line10_ = std::move(v); }
    const std::string& getDiv_Line10() const { return div_line10_; }
    void setDiv_Line10(std::string v) { div_line10_ = std::move(v); }
    const std::string& div_line11() const { return div_line11_; }
    void setDiv_line11(std::string v) { div_line11_ = std::move(v); }
    const std::string& getDiv_Line11() const { return div_line11_; }
    void setDiv_Line11(std::string v) { div_line11_ = std::move(v); }
    const std::string& div_line12_1() const { return div_line12_1_; }
    void setDiv_line12_1(std::string v) { div_line12_1_ = std::move(v); }
    const std::string& getDiv_Line12_1() const { return div_line12_1_; }
    void setDiv_Line12_1(std::string v) { div_line12_1_ = std::move(v); }
    const std::string& div_line12_2() const { return div_line12_2_; }
    void setDiv_line12_2(std::string v) { div_line12_2_ = std::move(v); }
    const std::string& getDiv_Line12_2() const { return div_line12_2_; }
    void setDiv_Line12_2(std::string v) { div_line12_2_ = std::move(v); }
    const std::string& div_line13_1() const { return div_line13_1_; }
    void setDiv_line13_1(std::string v) { div_line13_1_ = std::move(v); }
    const std::string& getDiv_Line13_1() const { return div_line13_1_; }
    void setDiv_Line13_1(std::string v) { div_line13_1_ = std::move(v); }
    const std::string& div_line13_2() const { return div_line13_2_; }
    void setDiv_line13_2(std::string v) { div_line13_2_ = std::move(v); }
    const std::string& getDiv_Line13_2() const { return div_line13_2_; }
    void setDiv_Line13_2(std::string v) { div_line13_2_ = std::move(v); }
    const std::string& div_line14_1() const { return div_line14_1_; }
    void setDiv_line14_1(std::string v) { div_line14_1_ = std::move(v); }
    const std::string& getDiv_Line14_1() const { return div_line14_1_; }
    void setDiv_Line14_1(std::string v) { div_line14_1_ = std::move(v); }
    const std::string& div_line14_2() const { return div_line14_2_; }
    void setDiv_line14_2(std::string v) { div_line14_2_ = std::move(v); }
    const std::string& getDiv_Line14_2() const { return div_line14_2_; }
    void setDiv_Line14_2(std::string v) { div_line14_2_ = std::move(v); }
    bool FATCA_DIV() const { return FATCA_DIV_; }
    void setFATCA_DIV(bool v) { FATCA_DIV_ = v; }
    bool getFATCA_DIV() const { return FATCA_DIV_; }

    // ---- 1099-INT (type 3). int_line17 is box 12, int_line16 box 13, int_line12 box 14 (CUSIP text); int_line7 is a country name ----
    const std::string& int_payerRTN() const { return int_payerRTN_; }
    void setInt_payerRTN(std::string v) { int_payerRTN_ = std::move(v); }
    const std::string& getInt_payerRTN() const { return int_payerRTN_; }
    const std::string& int_line1() const { return int_line1_; }
    void setInt_line1(std::string v) { int_line1_ = std::move(v); }
    const std::string& getInt_Line1() const { return int_line1_; }
    void setInt_Line1(std::string v) { int_line1_ = std::move(v); }
    const std::string& int_line2() const { return int_line2_; }
    void setInt_line2(std::string v) { int_line2_ = std::move(v); }
    const std::string& getInt_Line2() const { return int_line2_; }
    void setInt_Line2(std::string v) { int_line2_ = std::move(v); }
    const std::string& int_line3() const { return int_line3_; }
    void setInt_line3(std::string v) { int_line3_ = std::move(v); }
    const std::string& getInt_Line3() const { return int_line3_; }
    void setInt_Line3(std::string v) { int_line3_ = std::move(v); }
    const std::string& int_line4() const { return int_line4_; }
    void setInt_line4(std::string v) { int_line4_ = std::move(v); }
    const std::string& getInt_Line4() const { return int_line4_; }
    void setInt_Line4(std::string v) { int_line4_ = std::move(v); }
    const std::string& int_line5() const { return int_line5_; }
    void setInt_line5(std::string v) { int_line5_ = std::move(v); }
    const std::string& getInt_Line5() const { return int_line5_; }
    void setInt_Line5(std::string v) { int_line5_ = std::move(v); }
    const std::string& int_line6() const { return int_line6_; }
    void setInt_line6(std::string v) { int_line6_ = std::move(v); }
    const std::string& getInt_Line6() const { return int_line6_; }
    void setInt_Line6(std::string v) { int_line6_ = std::move(v); }
    const std::string& int_line7() const { return int_line7_; }
    void setInt_line7(std::string v) { int_line7_ = std::move(v); }
    const std::string& getInt_Line7() const { return int_line7_; }
    void setInt_Line7(std::string v) { int_line7_ = std::move(v); }
    const std::string& int_line8() const { return int_line8_; }
    void setInt_line8(std::string v) { int_line8_ = std::move(v); }
    const std::string& getInt_Line8() const { return int_line8_; }
    void setInt_Line8(std::string v) { int_line8_ = std::move(v); }
    const std::string& int_line9() const { return int_line9_; }
    void setInt_line9(std::string v) { int_line9_ = std::move(v); }
    const std::string& getInt_Line9() const { return int_line9_; }
    void setInt_Line9(std::string v) { int_line9_ = std::move(v); }
    const std::string& int_line10() const { return int_line10_; }
    void setInt_line10(std::string v) { int_line10_ = std::move(v); }
    const std::string& getInt_Line10() const { return int_line10_; }
    void setInt_Line10(std::string v) { int_line10_ = std::move(v); }
    const std::string& int_line11() const { return int_line11_; }
    void setInt_line11(std::string v) { int_line11_ = std::move(v); }
    const std::string& getInt_Line11() const { return int_line11_; }
    void setInt_Line11(std::string v) { int_line11_ = std::move(v); }
    const std::string& int_line17() const { return int_line17_; }
    void setInt_line17(std::string v) { int_line17_ = std::move(v); }
    const std::string& getInt_Line17() const { return int_line17_; }
    void setInt_Line17(std::string v) { int_line17_ = std::move(v); }
    const std::string& int_line16() const { return int_line16_; }
    void setInt_line16(std::string v) { int_line16_ = std::move(v); }
    const std::string& getInt_Line16() const { return int_line16_; }
    void setInt_Line16(std::string v) { int_line16_ = std::move(v); }
    const std::string& int_line12() const { return int_line12_; }
    void setInt_line12(std::string v) { int_line12_ = std::move(v); }
    const std::string& getInt_Line12() const { return int_line12_; }
    void setInt_Line12(std::string v) { int_line12_ = std::move(v); }
    const std::string& int_line13_1() const { return int_line13_1_; }
    void setInt_line13_1(std::string v) { int_line13_1_ = std::move(v); }
    const std::string& getInt_Line13_1() const { return int_line13_1_; }
    void setInt_Line13_1(std::string v) { int_line13_1_ = std::move(v); }
    const std::string& int_line13_2() const { return int_line13_2_; }
    void setInt_line13_2(std::string v) { int_line13_2_ = std::move(v); }
    const std::string& getInt_Line13_2() const { return int_line13_2_; }
    void setInt_Line13_2(std::string v) { int_line13_2_ = std::move(v); }
    const std::string& int_line14_1() const { return int_line14_1_; }
    void setInt_line14_1(std::string v) { int_line14_1_ = std::move(v); }
    const std::string& getInt_Line14_1() const { return int_line14_1_; }
    void setInt_Line14_1(std::string v) { int_line14_1_ = std::move(v); }
    const std::string& int_line14_2() const { return int_line14_2_; }
    void setInt_line14_2(std::string v) { int_line14_2_ = std::move(v); }
    const std::string& getInt_Line14_2() const { return int_line14_2_; }
    void setInt_Line14_2(std::string v) { int_line14_2_ = std::move(v); }
    const std::string& int_line15_1() const { return int_line15_1_; }
    void setInt_line15_1(std::string v) { int_line15_1_ = std::move(v); }
    const std::string& getInt_Line15_1() const { return int_line15_1_; }
    void setInt_Line15_1(std::string v) { int_line15_1_ = std::move(v); }
    const std::string& int_line15_2() const { return int_line15_2_; }
    void setInt_line15_2(std::string v) { int_line15_2_ = std::move(v); }
    const std::string& getInt_Line15_2() const { return int_line15_2_; }
    void setInt_Line15_2(std::string v) { int_line15_2_ = std::move(v); }
    bool FATCA_INT() const { return FATCA_INT_; }
    void setFATCA_INT(bool v) { FATCA_INT_ = v; }
    bool getFATCA_INT() const { return FATCA_INT_; }

    // ---- 1099-R (type 4). The three whole-number boxes hold -1 when not entered; r_line7 holds the distribution codes ----
    const std::string& r_line1() const { return r_line1_; }
    void setR_line1(std::string v) { r_line1_ = std::move(v); }
    const std::string& getR_Line1() const { return r_line1_; }
    void setR_Line1(std::string v) { r_line1_ = std::move(v); }
    const std::string& r_line2a() const { return r_line2a_; }
    void setR_line2a(std::string v) { r_line2a_ = std::move(v); }
    const std::string& getR_Line2a() const { return r_line2a_; }
    void setR_Line2a(std::string v) { r_line2a_ = std::move(v); }
    bool r_line2b_checkbox_1() const { return r_line2b_checkbox_1_; }
    void setR_line2b_checkbox_1(bool v) { r_line2b_checkbox_1_ = v; }
    bool getR_Line2b_Checkbox_1() const { return r_line2b_checkbox_1_; }
    void setR_Line2b_Checkbox_1(bool v) { r_line2b_checkbox_1_ = v; }
    bool r_line2b_checkbox_2() const { return r_line2b_checkbox_2_; }
    void setR_line2b_checkbox_2(bool v) { r_line2b_checkbox_2_ = v; }
    bool getR_Line2b_Checkbox_2() const { return r_line2b_checkbox_2_; }
    void setR_Line2b_Checkbox_2(bool v) { r_line2b_checkbox_2_ = v; }
    const std::string& r_line3() const { return r_line3_; }
    void setR_line3(std::string v) { r_line3_ = std::move(v); }
    const std::string& getR_Line3() const { return r_line3_; }
    void setR_Line3(std::string v) { r_line3_ = std::move(v); }
    const std::string& r_line4() const { return r_line4_; }
    void setR_line4(std::string v) { r_line4_ = std::move(v); }
    const std::string& getR_Line4() const { return r_line4_; }
    void setR_Line4(std::string v) { r_line4_ = std::move(v); }
    const std::string& r_line5() const { return r_line5_; }
    void setR_line5(std::string v) { r_line5_ = std::move(v); }
    const std::string& getR_Line5() const { return r_line5_; }
    void setR_Line5(std::string v) { r_line5_ = std::move(v); }
    const std::string& r_line6() const { return r_line6_; }
    void setR_line6(std::string v) { r_line6_ = std::move(v); }
    const std::string& getR_Line6() const { return r_line6_; }
    void setR_Line6(std::string v) { r_line6_ = std::move(v); }
    const std::string& r_line7() const { return r_line7_; }
    void setR_line7(std::string v) { r_line7_ = std::move(v); }
    const std::string& getR_Line7() const { return r_line7_; }
    void setR_Line7(std::string v) { r_line7_ = std::move(v); }
    bool r_line7_checkbox() const { return r_line7_checkbox_; }
    void setR_line7_checkbox(bool v) { r_line7_checkbox_ = v; }
    bool getR_Line7_Checkbox() const { return r_line7_checkbox_; }
    void setR_Line7_Checkbox(bool v) { r_line7_checkbox_ = v; }
    const std::string& r_line8() const { return r_line8_; }
    void setR_line8(std::string v) { r_line8_ = std::move(v); }
    const std::string& getR_Line8() const { return r_line8_; }
    void setR_Line8(std::string v) { r_line8_ = std::move(v); }
    int32_t r_line8_percentage() const { return r_line8_percentage_; }
    void setR_line8_percentage(int32_t v) { r_line8_percentage_ = v; }
    int32_t getR_Line8_Percentage() const { return r_line8_percentage_; }
    void setR_Line8_Percentage(int32_t v) { r_line8_percentage_ = v; }
    int32_t r_line9a() const { return r_line9a_; }
    void setR_line9a(int32_t v) { r_line9a_ = v; }
    int32_t getR_Line9a() const { return r_line9a_; }
    void setR_Line9a(int32_t v) { r_line9a_ = v; }
    const std::string& r_line9b() const { return r_line9b_; }
    void setR_line9b(std::string v) { r_line9b_ = std::move(v); }
    const std::string& getR_Line9b() const { return r_line9b_; }
    void setR_Line9b(std::string v) { r_line9b_ = std::move(v); }
    const std::string& r_line10() const { return r_line10_; }
    void setR_line10(std::string v) { r_line10_ = std::move(v); }
    const std::string& getR_Line10() const { return r_line10_; }
    void setR_Line10(std::string v) { r_line10_ = std::move(v); }
    int32_t r_line11() const { return r_line11_; }
    void setR_line11(int32_t v) { r_line11_ = v; }
    int32_t getR_Line11() const { return r_line11_; }
    void setR_Line11(int32_t v) { r_line11_ = v; }
    const std::string& r_Date_Of_Payment() const { return r_Date_Of_Payment_; }
    void setR_Date_Of_Payment(std::string v) { r_Date_Of_Payment_ = std::move(v); }
    const std::string& getR_DateOfPayment() const { return r_Date_Of_Payment_; }
    void setR_DateOfPayment(std::string v) { r_Date_Of_Payment_ = std::move(v); }
    const std::string& r_line12_1() const { return r_line12_1_; }
    void setR_line12_1(std::string v) { r_line12_1_ = std::move(v); }
    const std::string& getR_Line12_1() const { return r_line12_1_; }
    void setR_Line12_1(std::string v) { r_line12_1_ = std::move(v); }
    const std::string& r_line12_2() const { return r_line12_2_; }
    void setR_line12_2(std::string v) { r_line12_2_ = std::move(v); }
    const std::string& getR_Line12_2() const { return r_line12_2_; }
    void setR_Line12_2(std::string v) { r_line12_2_ = std::move(v); }
    const std::string& r_line13_1() const { return r_line13_1_; }
    void setR_line13_1(std::string v) { r_line13_1_ = std::move(v); }
    const std::string& getR_Line13_1() const { return r_line13_1_; }
    void setR_Line13_1(std::string v) { r_line13_1_ = std::move(v); }
    const std::string& r_line13_2() const { return r_line13_2_; }
    void setR_line13_2(std::string v) { r_line13_2_ = std::move(v); }
    const std::string& getR_Line13_2() const { return r_line13_2_; }
    void setR_Line13_2(std::string v) { r_line13_2_ = std::move(v); }
    const std::string& r_line14_1() const { return r_line14_1_; }
    void setR_line14_1(std::string v) { r_line14_1_ = std::move(v); }
    const std::string& getR_Line14_1() const { return r_line14_1_; }
    void setR_Line14_1(std::string v) { r_line14_1_ = std::move(v); }
    const std::string& r_line14_2() const { return r_line14_2_; }
    void setR_line14_2(std::string v) { r_line14_2_ = std::move(v); }
    const std::string& getR_Line14_2() const { return r_line14_2_; }
    void setR_Line14_2(std::string v) { r_line14_2_ = std::move(v); }
    const std::string& r_line15_1() const { return r_line15_1_; }
    void setR_line15_1(std::string v) { r_line15_1_ = std::move(v); }
    const std::string& getR_Line15_1() const { return r_line15_1_; }
    void setR_Line15_1(std::string v) { r_line15_1_ = std::move(v); }
    const std::string& r_line15_2() const { return r_line15_2_; }
    void setR_line15_2(std::string v) { r_line15_2_ = std::move(v); }
    const std::string& getR_Line15_2() const { return r_line15_2_; }
    void setR_Line15_2(std::string v) { r_line15_2_ = std::move(v); }
    const std::string& r_line16_1() const { return r_line16_1_; }
    void setR_line16_1(std::string v) { r_line16_1_ = std::move(v); }
    const std::string& getR_Line16_1() const { return r_line16_1_; }
    void setR_Line16_1(std::string v) { r_line16_1_ = std::move(v); }
    const std::string& r_line16_2() const { return r_line16_2_; }
    void setR_line16_2(std::string v) { r_line16_2_ = std::move(v); }
    const std::string& getR_Line16_2() const { return r_line16_2_; }
    void setR_Line16_2(std::string v) { r_line16_2_ = std::move(v); }
    const std::string& r_line17_1() const { return r_line17_1_; }
    void setR_line17_1(std::string v) { r_line17_1_ = std::move(v); }
    const std::string& getR_Line17_1() const { return r_line17_1_; }
    void setR_Line17_1(std::string v) { r_line17_1_ = std::move(v); }
    const std::string& r_line17_2() const { return r_line17_2_; }
    void setR_line17_2(std::string v) { r_line17_2_ = std::move(v); }
    const std::string& getR_Line17_2() const { return r_line17_2_; }
    void setR_Line17_2(std::string v) { r_line17_2_ = std::move(v); }
    bool FATCA_R() const { return FATCA_R_; }
    void setFATCA_R(bool v) { FATCA_R_ = v; }
    bool getFATCA_R() const { return FATCA_R_; }

    // ---- 1099-S (type 5). s_line1 is the closing date, s_line2 the gross proceeds, s_line6 the box 5 check box, s_line5 box 6 ----
    const std::string& s_line1() const { return s_line1_; }
    void setS_line1(std::string v) { s_line1_ = std::move(v); }
    const std::string& getS_Line1() const { return s_line1_; }
    void setS_Line1(std::string v) { s_line1_ = std::move(v); }
    const std::string& s_line2() const { return s_line2_; }
    void setS_line2(std::string v) { s_line2_ = std::move(v); }
    const std::string& getS_Line2() const { return s_line2_; }
    void setS_Line2(std::string v) { s_line2_ = std::move(v); }
    const std::string& s_address_line3() const { return s_address_line3_; }
    void setS_address_line3(std::string v) { s_address_line3_ = std::move(v); }
    const std::string& getS_Address_Line3() const { return s_address_line3_; }
    void setS_Address_Line3(std::string v) { s_address_line3_ = std::move(v); }
    const std::string& s_city_line3() const { return s_city_line3_; }
    void setS_city_line3(std::string v) { s_city_line3_ = std::move(v); }
    const std::string& getS_City_Line3() const { return s_city_line3_; }
    void setS_City_Line3(std::string v) { s_city_line3_ = std::move(v); }
    const std::string& s_state_line3() const { return s_state_line3_; }
    void setS_state_line3(std::string v) { s_state_line3_ = std::move(v); }
    const std::string& getS_State_Line3() const { return s_state_line3_; }
    void setS_State_Line3(std::string v) { s_state_line3_ = std::move(v); }
    const std::string& s_zip_line3() const { return s_zip_line3_; }
    void setS_zip_line3(std::string v) { s_zip_line3_ = std::move(v); }
    const std::string& getS_Zip_Line3() const { return s_zip_line3_; }
    void setS_Zip_Line3(std::string v) { s_zip_line3_ = std::move(v); }
    bool s_line4() const { return s_line4_; }
    void setS_line4(bool v) { s_line4_ = v; }
    bool getS_Line4() const { return s_line4_; }
    void setS_Line4(bool v) { s_line4_ = v; }
    bool s_line6() const { return s_line6_; }
    void setS_line6(bool v) { s_line6_ = v; }
    bool getS_Line6() const { return s_line6_; }
    void setS_Line6(bool v) { s_line6_ = v; }
    const std::string& s_line5() const { return s_line5_; }
    void setS_line5(std::string v) { s_line5_ = std::move(v); }
    const std::string& getS_Line5() const { return s_line5_; }
    void setS_Line5(std::string v) { s_line5_ = std::move(v); }
    bool FATCA_S() const { return FATCA_S_; }
    void setFATCA_S(bool v) { FATCA_S_ = v; }

private:
    // Identity, address and status (every form kind)
    int32_t PK_ = -1;
    int32_t company_FK_ = 0;
    int32_t type_ = 1;
    std::string firstName_;
    std::string lastName_;
    std::string address_;
    std::string city_;
    std::string state_;
    std::string zip_;
    std::string country_;
    bool addressIsNotUSTerritory_ = false;
    std::string taxID_;
    bool taxIDIsSSN_ = false;
    std::string accountNumber_;
    bool secondTin_ = false;
    bool voided_ = false;
    bool corrected_ = false;
    bool validated_ = false;
    bool printed_ = false;
    bool completed_ = false;
    int64_t miscval_ = 0;
    // 1099-MISC (type 1)
    std::string line1_Misc_;
    std::string line2_Misc_;
    std::string line3_Misc_;
    std::string line4_Misc_;
    std::string line5_Misc_;
    std::string line6_Misc_;
    bool line9_Misc_ = false;
    std::string line8_Misc_;
    std::string line7_Misc_;
    std::string line10_Misc_;
    std::string line11_Misc_;
    std::string line12_Misc_;
    std::string line14_Misc_;
    std::string line13_Misc_;
    std::string line15a_Misc_;
    std::string line15b_Misc_;
    std::string line16_1_Misc_;
    std::string line16_2_Misc_;
    std::string line17_1_Misc_;
    std::string line17_2_Misc_;
    std::string line18_1_Misc_;
    std::string line18_2_Misc_;
    bool FATCA_MISC_ = false;
    // 1099-NEC (type 7)
    std::string line1_NEC_;
    bool nec_line2_2_ = false;
    std::string line3_NEC_;
    std::string line4_NEC_;
    std::string line5_1_NEC_;
    std::string line5_2_NEC_;
    std::string line6_1_NEC_;
    std::string line6_2_NEC_;
    std::string line7_1_NEC_;
    std::string line7_2_NEC_;
    bool FATCA_NEC_ = false;
    // 1099-DIV (type 2)
    std::string div_line1a_;
    std::string div_line1b_;
    std::string div_line2a_;
    std::string div_line2b_;
    std::string div_line2c_;
    std::string div_line2d_;
    std::string div_line2e_;
    std::string div_line2f_;
    std::string div_line3_;
    std::string div_line4_;
    std::string div_sec199ADiv_;
    std::string div_line5_;
    std::string div_line6_;
    std::string div_line7_;
    std::string div_line8_;
    std::string div_line9_;
    std::string div_line10_;
    std::string div_line11_;
    std::string div_line12_1_;
    std::string div_line12_2_;
    std::string div_line13_1_;
    std::string div_line13_2_;
    std::string div_line14_1_;
    std::string div_line14_2_;
    bool FATCA_DIV_ = false;
    // 1099-INT (type 3)
    std::string int_payerRTN_;
    std::string int_line1_;
    std::string int_line2_;
    std::string int_line3_;
    std::string int_line4_;
    std::string int_line5_;
    std::string int_line6_;
    std::string int_line7_;
    std::string int_line8_;
    std::string int_line9_;
    std::string int_line10_;
    std::string int_line11_;
    std::string int_line17_;
    std::string int_line16_;
    std::string int_line12_;
    std::string int_line13_1_;
    std::string int_line13_2_;
    std::string int_line14_1_;
    std::string int_line14_2_;
    std::string int_line15_1_;
    std::string int_line15_2_;
    bool FATCA_INT_ = false;
    // 1099-R (type 4)
    std::string r_line1_;
    std::string r_line2a_;
    bool r_line2b_checkbox_1_ = false;
    bool r_line2b_checkbox_2_ = false;
    std::string r_line3_;
    std::string r_line4_;
    std::string r_line5_;
    std::string r_line6_;
    std::string r_line7_;
    bool r_line7_checkbox_ = false;
    std::string r_line8_;
    int32_t r_line8_percentage_ = -1;
    int32_t r_line9a_ = -1;
    std::string r_line9b_;
    std::string r_line10_;
    int32_t r_line11_ = -1;
    std::string r_Date_Of_Payment_;
    std::string r_line12_1_;
    std::string r_line12_2_;
    std::string r_line13_1_;
    std::string r_line13_2_;
    std::string r_line14_1_;
    std::string r_line14_2_;
    std::string r_line15_1_;
    std::string r_line15_2_;
    std::string r_line16_1_;
    std::string r_line16_2_;
    std::string r_line17_1_;
    std::string r_line17_2_;
    bool FATCA_R_ = false;
    // 1099-S (type 5)
    std::string s_line1_;
    std::string s_line2_;
    std::string s_address_line3_;
    std::string s_city_line3_;
    std::string s_state_line3_;
    std::string s_zip_line3_;
    bool s_line4_ = false;
    bool s_line6_ = false;
    std::string s_line5_;
    bool FATCA_S_ = false;
};
