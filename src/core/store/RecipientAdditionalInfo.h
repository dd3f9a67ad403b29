#pragma once

// The recipient data that RecipientInfo has no field for: the further name fields of
// the IRIS upload files, the second address line and office code, and per form kind
// the state code of each state row, the state income where the recipient record lacks
// it, the local income tax withheld and the special data entries. It shares key,
// company key and form kind with its recipient record. Rows _1 and _2 are the top and
// bottom state rows of the form.
//
// Every field has a property pair named after it and an older explicit pair, some of
// them with names of their own (getBottomState, setname_typee); both reach the same
// field without checks.

#include <cstdint>
#include <string>
#include <utility>

class RecipientAdditionalInfo {
public:
    RecipientAdditionalInfo() = default;

    // ---- Key and status (as in the recipient record) ----
    int32_t PK() const { return PK_; }
    void setPK(int32_t v) { PK_ = v; }
    int32_t getPK() const { return PK_; }
    int32_t company_FK() const { return company_FK_; }
    void setCompany_FK(int32_t v) { company_FK_ = v; }
    int32_t getCompany_FK() const { return company_FK_; }
    int32_t type() const { return type_; }
    void setType(int32_t v) { type_ = v; }
    int32_t getType() const { return type_; }
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

    // ---- Name and address (every form kind) ----
    const std::string& tin_type() const { return tin_type_; }
    void setTin_type(std::string v) { tin_type_ = std::move(v); }
    const std::string& gettin_type() const { return tin_type_; }
    void settin_type(std::string v) { tin_type_ = std::move(v); }
    const std::string& name_type() const { return name_type_; }
    void setName_type(std::string v) { name_type_ = std::move(v); }
    const std::string& getname_type() const { return name_type_; }
    void setname_typee(std::string v) { name_type_ = std::move(v); }
    const std::string& suffix() const { return suffix_; }
    void setSuffix(std::string v) { suffix_ = std::move(v); }
    const std::string& getsuffix() const { return suffix_; }
    void setsuffix(std::string v) { suffix_ = std::move(v); }
    const std::string& middleName() const { return middleName_; }
    void setMiddleName(std::string v) { middleName_ = std::move(v); }
    const std::string& getmiddleName() const { return middleName_; }
    void setmiddleName(std::string v) { middleName_ = std::move(v); }
    const std::string& lastname() const { return lastname_; }
    void setLastname(std::string v) { lastname_ = std::move(v); }
    const std::string& getlastname() const { return lastname_; }
    void setlastname(std::string v) { lastname_ = std::move(v); }
    const std::string& addline2() const { return addline2_; }
    void setAddline2(std::string v) { addline2_ = std::move(v); }
    const std::string& getaddline2() const { return addline2_; }
    void setaddline2(std::string v) { addline2_ = std::move(v); }
    const std::string& Officecode() const { return Officecode_; }
    void setOfficecode(std::string v) { Officecode_ = std::move(v); }
    const std::string& getOfficecode() const { return Officecode_; }

    // ---- 1099-MISC: box 16A state, box 19 local tax withheld, box 20 special data ----
    const std::string& line22_1_Misc() const { return line22_1_Misc_; }
    void setLine22_1_Misc(std::string v) { line22_1_Misc_ = std::move(v); }
    const std::string& getTopState_M() const { return line22_1_Misc_; }
    void setTopState_M(std::string v) { line22_1_Misc_ = std::move(v); }
    const std::string& line22_2_Misc() const { return line22_2_Misc_; }
    void setLine22_2_Misc(std::string v) { line22_2_Misc_ = std::move(v); }
    const std::string& getBottomState() const { return line22_2_Misc_; }
    void setBottomState_M(std::string v) { line22_2_Misc_ = std::move(v); }
    const std::string& line19_1_Misc() const { return line19_1_Misc_; }
    void setLine19_1_Misc(std::string v) { line19_1_Misc_ = std::move(v); }
    const std::string& getline19_1_Misc() const { return line19_1_Misc_; }
    void setline19_1_Misc(std::string v) { line19_1_Misc_ = std::move(v); }
    const std::string& line19_2_Misc() const { return line19_2_Misc_; }
    void setLine19_2_Misc(std::string v) { line19_2_Misc_ = std::move(v); }
    const std::string& getline19_2_Misc() const { return line19_2_Misc_; }
    void setline19_2_Misc(std::string v) { line19_2_Misc_ = std::move(v); }
    const std::string& line20_1_Misc() const { return line20_1_Misc_; }
    void setLine20_1_Misc(std::string v) { line20_1_Misc_ = std::move(v); }
    const std::string& getline20_1_Misc() const { return line20_1_Misc_; }
    void setline20_1_Misc(std::string v) { line20_1_Misc_ = std::move(v); }
    const std::string& line20_2_Misc() const { return line20_2_Misc_; }
    void setLine20_2_Misc(std::string v) { line20_2_Misc_ = std::move(v); }
    const std::string& getline20_2_Misc() const { return line20_2_Misc_; }
    void setline20_2_Misc(std::string v) { line20_2_Misc_ = std::move(v); }

    // ---- 1099-NEC: box 5A state, box 8 local tax withheld, box 9 special data ----
    const std::string& nec_line10_1() const { return nec_line10_1_; }
    void setNec_line10_1(std::string v) { nec_line10_1_ = std::move(v); }
    const std::string& getTopState_NEC() const { return nec_line10_1_; }
    void setTopState_NEC(std::string v) { nec_line10_1_ = std::move(v); }
    const std::string& nec_line10_2() const { return nec_line10_2_; }
    void setNec_line10_2(std::string v) { nec_line10_2_ = std::move(v); }
    const std::string& getBottomState_NEC() const { return nec_line10_2_; }
    void setBottomState_NEC(std::string v) { nec_line10_2_ = std::move(v); }
    const std::string& nec_line8_1() const { return nec_line8_1_; }
    void setNec_line8_1(std::string v) { nec_line8_1_ = std::move(v); }
    const std::string& getLine8_1_NEC() const { return nec_line8_1_; }
    void setLine8_1_NEC(std::string v) { nec_line8_1_ = std::move(v); }
    const std::string& nec_line8_2() const { return nec_line8_2_; }
    void setNec_line8_2(std::string v) { nec_line8_2_ = std::move(v); }
    const std::string& getLine8_2_NEC() const { return nec_line8_2_; }
    void setLine8_2_NEC(std::string v) { nec_line8_2_ = std::move(v); }
    const std::string& nec_line9_1() const { return nec_line9_1_; }
    void setNec_line9_1(std::string v) { nec_line9_1_ = std::move(v); }
    const std::string& getLine9_1_NEC() const { return nec_line9_1_; }
    void setLine9_1_NEC(std::string v) { nec_line9_1_ = std::move(v); }
    const std::string& nec_line9_2() const { return nec_line9_2_; }
    void setNec_line9_2(std::string v) { nec_line9_2_ = std::move(v); }
    const std::string& getLine9_2_NEC() const { return nec_line9_2_; }
    void setLine9_2_NEC(std::string v) { nec_line9_2_ = std::move(v); }

    // ---- 1099-DIV: box 17 state income, box 18 local tax withheld, box 19 special data ----
    const std::string& div_line17_1() const { return div_line17_1_; }
    void setDiv_line17_1(std::string v) { div_line17_1_ = std::move(v); }
    const std::string& getDiv_StateINC_1() const { return div_line17_1_; }
    void setDiv_StateINC_1(std::string v) { div_line17_1_ = std::move(v); }
    const std::string& div_line17_2() const { return div_line17_2_; }
    void setDiv_line17_2(std::string v) { div_line17_2_ = std::move(v); }
    const std::string& getDiv_StateINC_2() const { return div_line17_2_; }
    void setDiv_StateINC_2(std::string v) { div_line17_2_ = std::move(v); }
    const std::string& div_line15_1() const { return div_line15_1_; }
    void setDiv_line15_1(std::string v) { div_line15_1_ = std::move(v); }
    const std::string& getDiv_Line15_1() const { return div_line15_1_; }
    void setDiv_Line15_1(std::string v) { div_line15_1_ = std::move(v); }
    const std::string& div_line15_2() const { return div_line15_2_; }
    void setDiv_line15_2(std::string v) { div_line15_2_ = std::move(v); }
    const std::string& getDiv_Line15_2() const { return div_line15_2_; }
    void setDiv_Line15_2(std::string v) { div_line15_2_ = std::move(v); }
    const std::string& div_line16_1() const { return div_line16_1_; }
    void setDiv_line16_1(std::string v) { div_line16_1_ = std::move(v); }
    const std::string& getDiv_Line16_1() const { return div_line16_1_; }
    void setDiv_Line16_1(std::string v) { div_line16_1_ = std::move(v); }
    const std::string& div_line16_2() const { return div_line16_2_; }
    void setDiv_line16_2(std::string v) { div_line16_2_ = std::move(v); }
    const std::string& getDiv_Line16_2() const { return div_line16_2_; }
    void setDiv_Line16_2(std::string v) { div_line16_2_ = std::move(v); }

    // ---- 1099-INT: box 18 state income, box 19 local tax withheld, box 20 special data ----
    const std::string& int_line20_1() const { return int_line20_1_; }
    void setInt_line20_1(std::string v) { int_line20_1_ = std::move(v); }
    const std::string& getInt_StateINCM_1() const { return int_line20_1_; }
    void setInt_StateINCM_1(std::string v) { int_line20_1_ = std::move(v); }
    const std::string& int_line20_2() const { return int_line20_2_; }
    void setInt_line20_2(std::string v) { int_line20_2_ = std::move(v); }
    const std::string& getInt_StateINCM_2() const { return int_line20_2_; }
    void setInt_StateINCM_2(std::string v) { int_line20_2_ = std::move(v); }
    const std::string& int_line18_1() const { return int_line18_1_; }
    void setInt_line18_1(std::string v) { int_line18_1_ = std::move(v); }
    const std::string& getInt_Line18_1() const { return int_line18_1_; }
    void setInt_Line18_1(std::string v) { int_line18_1_ = std::move(v); }
    const std::string& int_line18_2() const { return int_line18_2_; }
    void setInt_line18_2(std::string v) { int_line18_2_ = std::move(v); }
    const std::string& getInt_Line18_2() const { return int_line18_2_; }
    void setInt_Line18_2(std::string v) { int_line18_2_ = std::move(v); }
    const std::string& int_line19_1() const { return int_line19_1_; }
    void setInt_line19_1(std::string v) { int_line19_1_ = std::move(v); }
    const std::string& getInt_Line19_1() const { return int_line19_1_; }
    void setInt_Line19_1(std::string v) { int_line19_1_ = std::move(v); }
    const std::string& int_line19_2() const { return int_line19_2_; }
    void setInt_line19_2(std::string v) { int_line19_2_ = std::move(v); }
    const std::string& getInt_Line19_2() const { return int_line19_2_; }
    void setInt_Line19_2(std::string v) { int_line19_2_ = std::move(v); }

    // ---- 1099-R: box 14A state, box 20 state income, box 21 local tax withheld, box 22 special data ----
    const std::string& r_line20_1() const { return r_line20_1_; }
    void setR_line20_1(std::string v) { r_line20_1_ = std::move(v); }
    const std::string& getTopState_R() const { return r_line20_1_; }
    void setTopState_R(std::string v) { r_line20_1_ = std::move(v); }
    const std::string& r_line20_2() const { return r_line20_2_; }
    void setR_line20_2(std::string v) { r_line20_2_ = std::move(v); }
    const std::string& getBottomState_R() const { return r_line20_2_; }
    void setBottomState_R(std::string v) { r_line20_2_ = std::move(v); }
    const std::string& r_line21_1() const { return r_line21_1_; }
    void setR_line21_1(std::string v) { r_line21_1_ = std::move(v); }
    const std::string& getStateINC1_R() const { return r_line21_1_; }
    void setStateINC1_R(std::string v) { r_line21_1_ = std::move(v); }
    const std::string& r_line21_2() const { return r_line21_2_; }
    void setR_line21_2(std::string v) { r_line21_2_ = std::move(v); }
    const std::string& getStateINC2_R() const { return r_line21_2_; }
    void setStateINC2_R(std::string v) { r_line21_2_ = std::move(v); }
    const std::string& r_line18_1() const { return r_line18_1_; }
    void setR_line18_1(std::string v) { r_line18_1_ = std::move(v); }
    const std::string& getR_Line18_1() const { return r_line18_1_; }
    void setR_Line18_1(std::string v) { r_line18_1_ = std::move(v); }
    const std::string& r_line18_2() const { return r_line18_2_; }
    void setR_line18_2(std::string v) { r_line18_2_ = std::move(v); }
    const std::string& getR_Line18_2() const { return r_line18_2_; }
    void setR_Line18_2(std::string v) { r_line18_2_ = std::move(v); }
    const std::string& r_line19_1() const { return r_line19_1_; }
    void setR_line19_1(std::string v) { r_line19_1_ = std::move(v); }
    const std::string& getR_Line19_1() const { return r_line19_1_; }
    void setR_Line19_1(std::string v) { r_line19_1_ = std::move(v); }
    const std::string& r_line19_2() const { return r_line19_2_; }
    void setR_line19_2(std::string v) { r_line19_2_ = std::move(v); }
    const std::string& getR_Line19_2() const { return r_line19_2_; }
    void setR_Line19_2(std::string v) { r_line19_2_ = std::move(v); }

private:
    // Key and status (as in the recipient record)
    int32_t PK_ = -1;
    int32_t company_FK_ = 0;
    int32_t type_ = 1;
    bool voided_ = false;
    bool corrected_ = false;
    bool validated_ = false;
    bool printed_ = false;
    bool completed_ = false;
    // Name and address (every form kind)
    std::string tin_type_;
    std::string name_type_;
    std::string suffix_;
    std::string middleName_;
    std::string lastname_;
    std::string addline2_;
    std::string Officecode_;
    // 1099-MISC
    std::string line22_1_Misc_;
    std::string line22_2_Misc_;
    std::string line19_1_Misc_;
    std::string line19_2_Misc_;
    std::string line20_1_Misc_;
    std::string line20_2_Misc_;
    // 1099-NEC
    std::string nec_line10_1_;
    std::string nec_line10_2_;
    std::string nec_line8_1_;
    std::string nec_line8_2_;
    std::string nec_line9_1_;
    std::string nec_line9_2_;
    // 1099-DIV
    std::string div_line17_1_;
    std::string div_line17_2_;
    std::string div_line15_1_;
    std::string div_line15_2_;
    std::string div_line16_1_;
    std::string div_line16_2_;
    // 1099-INT
    std::string int_line20_1_;
    std::string int_line20_2_;
    std::string int_line18_1_;
    std::string int_line18_2_;
    std::string int_line19_1_;
    std::string int_line19_2_;
    // 1099-R
    std::string r_line20_1_;
    std::string r_line20_2_;
    std::string r_line21_1_;
    std::string r_line21_2_;
    std::string r_line18_1_;
    std::string r_line18_2_;
    std::string r_line19_1_;
    std::string r_line19_2_;
};
