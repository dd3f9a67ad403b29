#include "core/store/RecipientInfo.h"

#include <limits>

#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/print/DisplayPDF.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int64_t addCents(int64_t a, int64_t b) {
    int64_t sum;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return sum;
}

int64_t cents(const std::string& amount) { return DisplayPDF::NSStringToLongLong(amount); }

// Leading decimal digits as a non-negative number, saturating; none gives 0.
int64_t leadingDigits(const std::string& text) {
    int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c))
            break;
        if (value > (std::numeric_limits<int64_t>::max() - (c - '0')) / 10)
            return std::numeric_limits<int64_t>::max();
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string RecipientInfo::getName() const { return firstName_ + " " + lastName_; }

std::string RecipientInfo::getS_Line3() const {
    if (Utils::isEmptyString(s_city_line3_) && Utils::isEmptyString(s_state_line3_) &&
        Utils::isEmptyString(s_zip_line3_))
        return s_address_line3_;
    return s_address_line3_ + " " + s_city_line3_ + " " + Utils::getStateCode(s_state_line3_, false) +
           " " + s_zip_line3_;
}

int64_t RecipientInfo::dollarStringToInt(const std::string& text) { return Utils::dollarStringToInt(text); }

int64_t RecipientInfo::miscBox9Cents() const {
    const std::string& text = line7_Misc_;
    if (text.empty() || text.find('-') != std::string::npos)
        return 0;
    const size_t point = text.find('.');
    const std::string dollars = point == std::string::npos ? text : text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1, 2);
    if (fraction.size() == 1)
        fraction += '0';
    const int64_t whole = dollarStringToInt(dollars);  // -1 empty, -2 invalid: both count 0
    return addCents(whole > 0 ? whole : 0, leadingDigits(fraction));
}

int64_t RecipientInfo::sGrossProceedsCents() const {
    const std::string& text = s_line2_;
    if (text.empty())
        return 0;
    if (text.find('.') != std::string::npos)
        return cents(text);
    // Without a point: a negative text is an empty-box marker left by old files and
    // counts nothing; 11 to 13 characters are old values already in cents; anything
    // else is whole dollars.
    if (text.find('-') != std::string::npos)
        return 0;
    if (text.size() >= 11 && text.size() <= 13)
        return cents(text.substr(0, text.size() - 2) + "." + text.substr(text.size() - 2));
    return cents(text + ".00");
}

int64_t RecipientInfo::getTotalPaid() const {
    if (voided_) {
        if (type_ == 1)
            session().nec = 0;
        return 0;
    }
    int64_t total = 0;
    auto add = [&total](const std::string& amount) { total = addCents(total, cents(amount)); };
    switch (type_) {
    case 1: {
        for (const std::string* box : {&line1_Misc_, &line2_Misc_, &line3_Misc_, &line5_Misc_, &line6_Misc_,
                                       &line8_Misc_, &line10_Misc_, &line13_Misc_, &line11_Misc_})
            add(*box);
        session().nec = 0;
        const int64_t box9 = miscBox9Cents();
        session().nec = box9;
        total = addCents(total, box9);
        break;
    }
    case 2:
        for (const std::string* box : {&div_line1a_, &div_line2a_, &div_line3_, &div_line8_, &div_line9_,
                                       &div_line10_})
            add(*box);
        break;
    case 3:
        for (const std::string* box : {&int_line1_, &int_line3_, &int_line8_, &int_line10_, &int_line11_,
                                       &int_line16_})
            add(*box);
        break;
    case 4:
        add(r_line1_);
        break;
    case 5:
        total = sGrossProceedsCents();
        break;
    case 7:
        add(line1_NEC_);
        break;
    default:
        break;
    }
    return total;
}

int64_t RecipientInfo::getTotalTaxPaid() const {
    if (voided_)
        return 0;
    switch (type_) {
    case 1: return cents(line4_Misc_);
    case 2: return cents(div_line4_);
    case 3: return cents(int_line4_);
    case 4: return cents(r_line4_);
    case 7: return cents(line4_NEC_);
    default: return 0;
    }
}
