#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

// The month abbreviations of report headers, and "YTD" for the year to date.
inline constexpr std::array<const char*, 13> MONTHABBREV = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul",
                                                            "Aug", "Sep", "Oct", "Nov", "Dec", "YTD"};

// One print request: what is drawn (the report number), with which layout, and for
// which payers and recipients. A run fills it and hands it to rept::DoReport.
class REPDATA {
public:
    // Report numbers of the two line reports; the others are the forms and the 1096.
    static constexpr int32_t kSummaryReport = 8;
    static constexpr int32_t kMailingLabels = 9;
    static constexpr int32_t kLastReport = 11;

    int32_t reptnum() const { return reptnum_; }
    void setReptnum(int32_t v) { reptnum_ = v; }
    int32_t wxtype() const { return wxtype_; }
    void setWxtype(int32_t v) { wxtype_ = v; }
    int32_t indexofRecComp() const { return indexofRecComp_; }
    void setIndexofRecComp(int32_t v) { indexofRecComp_ = v; }
    // The recipients, their payers and their additional data, in parallel.
    const std::vector<RecipientInfo>& theListBox() const { return theListBox_; }
    void setTheListBox(std::vector<RecipientInfo> v) { theListBox_ = std::move(v); }
    const std::vector<ComapnyInfo>& theListBox2() const { return theListBox2_; }
    void setTheListBox2(std::vector<ComapnyInfo> v) { theListBox2_ = std::move(v); }
    const std::vector<RecipientAdditionalInfo>& theAddListBox3() const { return theAddListBox3_; }
    void setTheAddListBox3(std::vector<RecipientAdditionalInfo> v) { theAddListBox3_ = std::move(v); }

    // The period of a payroll report: a quarter (0 to 3), a day range (days of the year
    // from 0; a negative start: none) or a month range (0 = January, 12 = January of the
    // following year); and the layout code of a check run.
    int32_t reptnum1() const { return reptnum1_; }
    void setReptnum1(int32_t v) { reptnum1_ = v; }
    int32_t Quarter() const { return Quarter_; }
    void setQuarter(int32_t v) { Quarter_ = v; }
    int32_t StartDate() const { return StartDate_; }
    void setStartDate(int32_t v) { StartDate_ = v; }
    int32_t EndDate() const { return EndDate_; }
    void setEndDate(int32_t v) { EndDate_ = v; }
    int32_t StartMonth() const { return StartMonth_; }
    void setStartMonth(int32_t v) { StartMonth_ = v; }
    int32_t EndMonth() const { return EndMonth_; }
    void setEndMonth(int32_t v) { EndMonth_ = v; }

private:
    int32_t reptnum_ = -1;
    int32_t wxtype_ = 0;
    int32_t indexofRecComp_ = 0;
    std::vector<RecipientInfo> theListBox_;
    std::vector<ComapnyInfo> theListBox2_;
    std::vector<RecipientAdditionalInfo> theAddListBox3_;
    int32_t reptnum1_ = 0;
    int32_t Quarter_ = 0;
    int32_t StartDate_ = -1;
    int32_t EndDate_ = -1;
    int32_t StartMonth_ = -1;
    int32_t EndMonth_ = -1;
};
