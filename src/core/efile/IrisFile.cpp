#include "core/efile/IrisFile.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/foundation/FormKind.h"
#include "core/foundation/StoredAmount.h"
#include "core/foundation/StoredDate.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/Utils.h"
#include "core/store/RecipientName.h"

namespace {

constexpr const char kTaxYear[] = "2025";

// ---- titles ----

constexpr std::array<const char*, 19> kPayerTitles = {
    "Form Type",
    "Tax Year",
    "Payer TIN Type",
    "Payer Taxpayer ID Number",
    "Payer Name Type",
    "Payer Business or Entity Name Line 1",
    "Payer Business or Entity Name Line 2",
    "Payer First Name",
    "Payer Middle Name",
    "Payer Last Name (Surname)",
    "Payer Suffix",
    "Payer Country",
    "Payer Address Line 1",
    "Payer Address Line 2",
    "Payer City/Town",
    "Payer State/Province/Territory",
    "Payer ZIP/Postal Code",
    "Payer Phone Type",
    "Payer Phone",
};

constexpr std::array<const char*, 19> kFilerTitles = {
    "Form Type",
    "Tax Year",
    "Filer Taxpayer ID Type",
    "Filer Taxpayer ID Number",
    "Filer Name Type",
    "Filer Business or Entity Name Line 1",
    "Filer Business or Entity Name Line 2",
    "Filer First Name",
    "Filer Middle Name",
    "Filer Last Name",
    "Filer Suffix",
    "Filer Country",
    "Filer Address Line 1",
    "Filer Address Line 2",
    "Filer City/Town",
    "Filer State/Province/Territory",
    "Filer ZIP/Postal Code",
    "Filer Phone Type",
    "Filer Phone",
};

// The recipient's first 17 columns; lastName is the eighth title, which differs by kind.
std::vector<std::string> recipientTitles(const std::string& who, const std::string& lastName) {
    const bool transferor = who == "Transferor";
    return {transferor ? "Transferor Taxpayer ID Type" : "Recipient TIN Type",
            who + " Taxpayer ID Number",
            who + " Name Type",
            who + " Business or Entity Name Line 1",
            who + " Business or Entity Name Line 2",
            who + " First Name",
            who + " Middle Name",
            lastName,
            who + " Suffix",
            who + " Country",
            who + " Address Line 1",
            who + " Address Line 2",
            who + " City/Town",
            who + " State/Province/Territory",
            who + " ZIP/Postal Code",
            "Office Code",
            "Form Account Number"};
}

void addStateTitles(std::vector<std::string>& titles) {
    titles.emplace_back("Combined Federal/State Filing");
    for (const char* state : {"State 1", "State 2"}) {
        const std::string s = state;
        titles.push_back(s);
        titles.push_back(s + " - State Tax Withheld");
        titles.push_back(s + " - State/Payer state number");
        titles.push_back(s + " - State income");
        titles.push_back(s + " - Local income tax withheld");
        titles.push_back(s + " - Special Data Entries");
    }
}

std::vector<std::string> formTitles(int32_t kind) {
    std::vector<std::string> t;
    auto add = [&t](std::initializer_list<const char*> titles) {
        for (const char* title : titles) t.emplace_back(title);
    };
    switch (kind) {
    case 1:
        t = recipientTitles("Recipient", "Recipient Last Name (Surname)");
        add({"FATCA Filing Requirements", "2nd TIN Notice", "Box 1 - Rents", "Box 2 - Royalties",
             "Box 3 - Other Income", "Box 4 - Federal income tax withheld", "Box 5 - Fishing boat proceeds",
             "Box 6 - Medical and health care payments",
             "Box 7 - Direct sales of $5000 or more of consumer products to a recipient for resale",
             "Box 8 - Substitute payments in lieu of dividends or interest", "Box 9 - Crop insurance proceeds",
             "Box 10 - Gross proceeds paid to an attorney", "Box 11 - Fish purchased for resale",
             "Box 12 - Section 409A deferrals", "Box 15 - Nonqualified deferred compensation"});
        addStateTitles(t);
        break;
    case 2:
        t = recipientTitles("Recipient", "Recipient Last Name (Surname)");
        add({"FATCA Filing Requirements", "2nd TIN Notice", "Box 1a - Total ordinary dividends",
             "Box 1b - Qualified dividends", "Box 2a - Total capital gain distribution",
             "Box 2b - Unrecap. Sec. 1250 gain", "Box 2c - Section 1202 gain", "Box 2d - Collectibles (28%) gain",
             "Box 2e - Section 897 ordinary dividends", "Box 2f - Section 897 capital gain",
             "Box 3 - Nondividend distributions", "Box 4 - Federal income tax withheld",
             "Box 5 - Section 199A dividends", "Box 6 - Investment expenses", "Box 7 - Foreign tax paid",
             "Box 8 - Foreign country or U.S. possession", "Box 9 - Cash liquidation distributions",
             "Box 10 - Noncash liquidation distributions", "Box 12 - Exempt-interest dividends",
             "Box 13 - Specified private activity bond interest dividends"});
        addStateTitles(t);
        break;
    case 3:
        t = recipientTitles("Recipient", "Recipient Last Name (Surname)");
        add({"FATCA Filing Requirements", "2nd TIN Notice", "Payer's RTN", "Box 1 - Interest Income",
             "Box 2 - Early withdrawal penalty", "Box 3 - Interest on U.S. Savings Bonds and Treasury obligations",
             "Box 4 - Federal income tax withheld", "Box 5 - Investment expenses", "Box 6 - Foreign tax paid",
             "Box 7 - Foreign country or U.S. territory", "Box 8 - Tax-exempt interest",
             "Box 9 - Specified private activity bond interest", "Box 10 - Market discount",
             "Box 11 - Bond premium", "Box 12 - Bond premium on Treasury obligations",
             "Box 13 - Bond premium on tax-exempt bond", "Box 14 - Tax-exempt and tax credit bond CUSIP no."});
        addStateTitles(t);
        break;
    case 4:
        t = recipientTitles("Recipient", "Recipient Last Name (Surname)");
        add({"FATCA Filing Requirements", "Box 1 - Gross distribution", "Box 2a - Taxable amount",
             "Box 2b - Taxable amount not determined", "Box 2b - Total distribution",
             "Box 3 - Capital gain (included in box 2a)", "Box 4 - Federal income tax withheld",
             "Box 5 - Employee contributions/Designated Roth contributions or insurance premiums",
             "Box 6 - Net unrealized appreciation in employer's securities", "Box 7 - Distribution code(s)",
             "IRA/SEP/SIMPLE", "Box 8 - Other/Amount", "Box 8 -  Other/Percentage",
             "Box 9a - Your percentage of total distribution", "Box 9b - Total employee contributions",
             "Box 10 - Amount allocable to IRR within 5 years",
             "Box 11 - 1st year of designated Roth contributions", "Box 13 - Date of Payment"});
        addStateTitles(t);
        break;
    case 5:
        t = recipientTitles("Transferor", "Transferor Last Name");
        add({"Box 1 - Date of closing", "Box 2 - Gross proceeds", "Box 3 - Address or Legal Description",
             "Box 4 - Check here if the transferor received or will receive property or services (other than "
             "cash or notes) as part of the consideration",
             "Box 5 - Check here if the transferor is a foreign person (nonresident alien or foreign "
             "partnership or foreign estate or foreign trust)",
             "Box 6 - Buyer's part of real estate tax"});
        break;
    case FormKind::kNec:
        t = recipientTitles("Recipient", "Recipient Last Name");
        add({"2nd TIN Notice", "Box 1 - Nonemployee Compensation",
             "Box 2 - Payer made direct sales totaling $5000 or more of consumer products to a recipient for "
             "resale",
             "Box 3 - Excess golden parachute payments", "Box 4 - Federal income tax withheld"});
        addStateTitles(t);
        break;
    default:
        break;
    }
    return t;
}

// ---- values ----

bool needsQuotes(std::string_view value) { return value.find_first_of(",\"\r\n") != std::string_view::npos; }

void appendEscaped(std::string& out, std::string_view value) {
    for (char c : value) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
}

// Writes the fields of one line, each after a comma but the first. Every text is put on
// one line as the names and addresses are cleaned (a line break kept from an older
// import, or a tab, parts two words as a blank does): the upload takes one record to a
// line.
class Fields {
public:
    explicit Fields(std::string& out) : out_(out) {}

    // A value as it stands, in RFC 4180 form when it needs quotes.
    void plain(std::string_view value) {
        next();
        value = textscan::onOneLine(value, scratch_);
        if (!needsQuotes(value)) {
            out_ += value;
            return;
        }
        out_.push_back('"');
        appendEscaped(out_, value);
        out_.push_back('"');
    }
    void empty() { next(); }
    // ="value", which a spreadsheet keeps as text with its leading zeros.
    void formula(std::string_view value) {
        next();
        value = textscan::onOneLine(value, scratch_);
        if (!needsQuotes(value)) {
            out_ += "=\"";
            out_ += value;
            out_.push_back('"');
            return;
        }
        out_ += "\"=\"\"";
        appendEscaped(out_, value);
        out_ += "\"\"\"";
    }
    // Always quoted, inner quotes doubled.
    void quoted(std::string_view value) {
        next();
        value = textscan::onOneLine(value, scratch_);
        out_.push_back('"');
        appendEscaped(out_, value);
        out_.push_back('"');
    }
    // A stored amount as the amount reader reads it: dollars, a point and two decimals
    // ("1500" gives 1500.00); nothing for no amount ("", "INVALID", a negative amount).
    // A text the reader refuses writes nothing and is remembered with its column.
    void amount(const std::string& value) {
        const StoredAmount read = StoredAmount::read(value);
        if (read.isAmount())
            plain(read.stored());
        else
            empty();
        if (read.refused()) remember(RefusedEntry::ofAmount("", value));
    }
    // A stored date as the date reader reads it, as MM/DD/YYYY; nothing for an empty
    // one. A date the reader refuses writes nothing and is remembered with its column.
    void date(const std::string& value) {
        const StoredDate read = StoredDate::read(value);
        plain(read.monthDayYear());
        if (read.refused()) remember(RefusedEntry::ofDate("", value));
    }
    // A 1099-R distribution code as the code rule reads it and the FIRE file writes it
    // (the first two characters in capitals, a blank second one dropped); one the entry
    // window would not take writes nothing and is remembered.
    void distributionCode(const std::string& value) {
        std::optional<RefusedEntry> refused = RefusedEntry::ofDistributionCode("", value);
        plain(refused ? std::string() : Utils::distributionCodeRead(value));
        remember(std::move(refused));
    }
    // A year box: nothing for none; a number that is no year writes nothing and is remembered.
    void year(int32_t value) {
        std::optional<RefusedEntry> refused = RefusedEntry::ofYear("", value);
        if (refused || value <= 0)
            empty();
        else
            plain(std::to_string(value));
        remember(std::move(refused));
    }
    // The column (counted from 0 in this line part) and entry of the first refused
    // amount, date, code or year.
    const std::optional<std::pair<std::size_t, RefusedEntry>>& refused() const { return refused_; }
    void flag(bool value) { plain(value ? "Y" : "N"); }
    // A whole-number box: -1 (empty) and -2 (not valid) give nothing.
    void whole(int32_t value) {
        if (value == -1 || value == -2) return empty();
        plain(std::to_string(value));
    }
    // Every character c removed.
    void without(const std::string& value, char c) {
        if (value.find(c) == std::string::npos) return plain(value);
        std::string kept;
        kept.reserve(value.size());
        for (char ch : value)
            if (ch != c) kept.push_back(ch);
        plain(kept);
    }

private:
    void remember(std::optional<RefusedEntry> entry) {
        if (entry && (!refused_ || entry->namedBefore(refused_->second)))
            refused_ = std::make_pair(column_, std::move(*entry));
    }
    void next() {
        if (!first_) {
            out_.push_back(',');
            ++column_;
        }
        first_ = false;
    }

    std::string& out_;
    std::string scratch_;
    bool first_ = true;
    std::size_t column_ = 0;
    std::optional<std::pair<std::size_t, RefusedEntry>> refused_;
};

bool isBusiness(const std::string& nameType) { return nameType == "Business Name"; }

}  // namespace

std::string IrisFile::tinTypeColumn(const std::string& stored) {
    std::string type;
    type.reserve(stored.size());
    for (char c : stored) {
        if (c == ' ' || textscan::isControl(c)) continue;
        type.push_back(textscan::upper(c));
    }
    return type;
}

std::string IrisFile::REC_TYPE(int32_t kind) { return FormKind::formName(kind); }

std::size_t IrisFile::fileCount(std::size_t selected) {
    return (selected + kRecipientsPerFile - 1) / kRecipientsPerFile;
}

std::pair<std::size_t, std::size_t> IrisFile::recipientRange(std::size_t selected, std::size_t file) {
    const std::size_t first = std::min(selected, file * kRecipientsPerFile);
    return {first, std::min(selected, first + kRecipientsPerFile)};
}

std::string IrisFile::proposedName(int32_t kind, std::size_t file) {
    if (file == 0) return REC_TYPE(kind) + ".csv";
    return REC_TYPE(kind) + "-" + std::to_string(file + 1) + ".csv";
}

std::vector<std::string> IrisFile::columnTitles(int32_t kind) {
    std::vector<std::string> form = formTitles(kind);
    if (form.empty()) return {};
    const auto& payer = kind == 5 ? kFilerTitles : kPayerTitles;
    std::vector<std::string> titles(payer.begin(), payer.end());
    titles.insert(titles.end(), form.begin(), form.end());
    return titles;
}

std::string IrisFile::header(int32_t kind) {
    std::string out;
    Fields fields(out);
    for (const std::string& title : columnTitles(kind)) fields.quoted(title);
    return out;
}

const std::string& IrisFile::stateCode(const std::string& entry, bool combined) {
    auto& cache = combined ? combinedCodes_ : codes_;
    auto found = cache.find(entry);
    if (found == cache.end()) found = cache.emplace(entry, Utils::getStateName_CODE(entry, combined ? 0 : 1)).first;
    return found->second;
}

void IrisFile::appendPayer(std::string& out, int32_t kind, const ComapnyInfo& p) {
    Fields f(out);
    f.plain(REC_TYPE(kind));
    f.plain(kTaxYear);
    f.plain(tinTypeColumn(p.getpayertintype()));
    f.plain(p.getTaxID1());
    const std::string& nameType = p.getpayernametype();
    const bool business = isBusiness(nameType) || nameType == "B";
    f.plain(business ? "B" : "I");
    if (business) {
        f.plain(p.getName());
        f.empty();
        for (int i = 0; i < 4; ++i) f.empty();
    } else {
        f.empty();
        f.empty();
        f.plain(Utils::validateName(p.getfirstname()));
        f.plain(Utils::validateName(p.getmiddleName()));
        f.plain(Utils::validateName(p.getpayerlastname()));
        f.plain(Utils::validateName(p.getpayersuffix()));
    }
    f.plain(p.getpayercountry());
    f.plain(Utils::validateAddress(p.getAddress()));
    f.plain(Utils::validateAddress(p.getbussinessadd2()));
    f.plain(Utils::validateName(p.getCity()));
    f.plain(stateCode(p.getState(), false));
    f.without(p.getZip(), '-');
    f.plain(p.getphone_type() == "Domestic" ? "D" : "I");
    f.formula(p.getPhone());
}

void IrisFile::appendRecipient(std::string& out, int32_t kind, const ComapnyInfo& payer, const IrisRecipient& rec) {
    const RecipientInfo& r = rec.recipient;
    const RecipientAdditionalInfo& a = rec.additional;
    Fields f(out);

    // The 17 columns every kind shares.
    f.plain(tinTypeColumn(a.gettin_type()));
    f.plain(r.getTaxID());
    const bool business = isBusiness(a.getname_type());
    f.plain(business ? "B" : "I");
    if (business) {
        f.plain(Utils::validateBusinessName(r.getLastName()));
        f.empty();
        for (int i = 0; i < 4; ++i) f.empty();
    } else {
        f.empty();
        f.empty();
        f.plain(Utils::validateName(r.getFirstName()));
        f.plain(Utils::validateName(a.getmiddleName()));
        f.plain(Utils::validateName(a.getlastname()));
        f.plain(Utils::validateName(a.getsuffix()));
    }
    f.plain(r.getCountry());
    f.plain(Utils::validateAddress(r.getAddress()));
    f.plain(Utils::validateAddress(a.getaddline2()));
    f.plain(Utils::validateName(r.getCity()));
    if (r.getAddressIsNotUSTerritory())
        f.plain(r.getState());
    else
        f.plain(stateCode(r.getState(), false));
    f.without(r.getZip(), '-');
    const std::string& office = a.getOfficecode();
    f.formula(Utils::characterCount(office) >= 5 ? Utils::fromCodePoints(Utils::toCodePoints(office).substr(0, 4))
                                                 : office);
    f.plain(r.getAccountNumber());

    // An address outside the United States takes part in no state's program.
    auto combined = [&] {
        if (payer.getCombineStateIRIS() && !r.getAddressIsNotUSTerritory())
            f.plain(stateCode(r.getState(), true));
        else
            f.empty();
    };
    // One state row: code, tax withheld, state number, income, local tax, special data.
    auto stateRow = [&](const std::string& state, const std::string& withheld, const std::string& number,
                        const std::string& income, const std::string& local, const std::string& special) {
        f.plain(stateCode(state, false));
        f.amount(withheld);
        f.without(number, '/');
        f.amount(income);
        f.amount(local);
        f.quoted(special);
    };

    switch (kind) {
    case 1:
        f.flag(r.getFATCA_MISC());
        f.flag(r.getSecondTin());
        f.amount(r.getLine1_Misc());
        f.amount(r.getLine2_Misc());
        f.amount(r.getLine3_Misc());
        f.amount(r.getLine4_Misc());
        f.amount(r.getLine5_Misc());
        f.amount(r.getLine6_Misc());
        f.flag(r.getLine9_Misc());
        f.amount(r.getLine8_Misc());
        f.amount(r.getLine7_Misc());
        f.amount(r.getLine10_Misc());
        f.amount(r.getLine11_Misc());
        f.amount(r.getLine12_Misc());
        f.amount(r.getLine14_Misc());
        combined();
        stateRow(a.line22_1_Misc(), r.getLine16_1_Misc(), r.getLine17_1_Misc(), r.getLine18_1_Misc(),
                 a.line19_1_Misc(), a.line20_1_Misc());
        stateRow(a.line22_2_Misc(), r.getLine16_2_Misc(), r.getLine17_2_Misc(), r.getLine18_2_Misc(),
                 a.line19_2_Misc(), a.line20_2_Misc());
        break;
    case 2:
        f.flag(r.getFATCA_DIV());
        f.flag(r.getSecondTin());
        f.amount(r.div_line1a());
        f.amount(r.div_line1b());
        f.amount(r.div_line2a());
        f.amount(r.div_line2b());
        f.amount(r.div_line2c());
        f.amount(r.div_line2d());
        f.amount(r.div_line2e());
        f.amount(r.div_line2f());
        f.amount(r.div_line3());
        f.amount(r.div_line4());
        f.amount(r.div_sec199ADiv());
        f.amount(r.div_line5());
        f.amount(r.div_line6());
        f.plain(r.div_line7());
        f.amount(r.div_line8());
        f.amount(r.div_line9());
        f.amount(r.div_line10());
        f.amount(r.div_line11());
        combined();
        stateRow(r.div_line12_1(), r.div_line14_1(), r.div_line13_1(), a.div_line17_1(), a.div_line15_1(),
                 a.div_line16_1());
        stateRow(r.div_line12_2(), r.div_line14_2(), r.div_line13_2(), a.div_line17_2(), a.div_line15_2(),
                 a.div_line16_2());
        break;
    case 3:
        f.flag(r.getFATCA_INT());
        f.flag(r.getSecondTin());
        f.plain(r.int_payerRTN());
        f.amount(r.int_line1());
        f.amount(r.int_line2());
        f.amount(r.int_line3());
        f.amount(r.int_line4());
        f.amount(r.int_line5());
        f.amount(r.int_line6());
        f.plain(r.int_line7());
        f.amount(r.int_line8());
        f.amount(r.int_line9());
        f.amount(r.int_line10());
        f.amount(r.int_line11());
        f.amount(r.int_line17());
        f.amount(r.int_line16());
        f.plain(r.int_line12());
        combined();
        stateRow(r.int_line13_1(), r.int_line15_1(), r.int_line14_1(), a.int_line20_1(), a.int_line18_1(),
                 a.int_line19_1());
        stateRow(r.int_line13_2(), r.int_line15_2(), r.int_line14_2(), a.int_line20_2(), a.int_line18_2(),
                 a.int_line19_2());
        break;
    case 4:
        f.flag(r.getFATCA_R());
        f.amount(r.r_line1());
        f.amount(r.r_line2a());
        f.flag(r.r_line2b_checkbox_1());
        f.flag(r.r_line2b_checkbox_2());
        f.amount(r.r_line3());
        f.amount(r.r_line4());
        f.amount(r.r_line5());
        f.amount(r.r_line6());
        f.distributionCode(r.r_line7());
        f.flag(r.r_line7_checkbox());
        f.amount(r.r_line8());
        f.whole(r.r_line8_percentage());
        f.whole(r.r_line9a());
        f.amount(r.r_line9b());
        f.amount(r.r_line10());
        f.year(r.r_line11());
        f.date(r.r_Date_Of_Payment());
        combined();
        stateRow(a.r_line20_1(), r.r_line12_1(), r.r_line13_1(), a.r_line21_1(), a.r_line18_1(), a.r_line19_1());
        stateRow(a.r_line20_2(), r.r_line12_2(), r.r_line13_2(), a.r_line21_2(), a.r_line18_2(), a.r_line19_2());
        break;
    case 5: {
        f.date(r.s_line1());
        f.amount(r.s_line2());
        // The property's address on one line; each part as stored, the whole quoted
        // when it needs it.
        std::string box3 = r.s_address_line3();
        box3 += ' ';
        box3 += r.s_city_line3();
        box3 += ' ';
        box3 += stateCode(r.s_state_line3(), false);
        box3 += ' ';
        box3 += r.s_zip_line3();
        f.plain(box3);
        f.flag(r.s_line4());
        f.flag(r.s_line6());
        f.amount(r.s_line5());
        break;
    }
    case FormKind::kNec:
        f.flag(r.getSecondTin());
        f.amount(r.line1_NEC());
        f.flag(r.nec_line2_2());
        f.amount(r.line3_NEC());
        f.amount(r.line4_NEC());
        combined();
        stateRow(a.nec_line10_1(), r.line5_1_NEC(), r.line6_1_NEC(), r.line7_1_NEC(), a.nec_line8_1(),
                 a.nec_line9_1());
        stateRow(a.nec_line10_2(), r.line5_2_NEC(), r.line6_2_NEC(), r.line7_2_NEC(), a.nec_line8_2(),
                 a.nec_line9_2());
        break;
    default:
        break;
    }
    if (f.refused() && refusal_.empty()) refuse(kind, rec, f.refused()->first, f.refused()->second);
}

void IrisFile::refuse(int32_t kind, const IrisRecipient& rec, std::size_t column, RefusedEntry refused) {
    const std::vector<std::string> titles = columnTitles(kind);
    const std::size_t title = kPayerTitles.size() + column;
    refused.box = title < titles.size() ? titles[title] : std::string();
    const std::string who = recipientListName(rec.recipient, rec.additional);
    refusal_ = "The IRIS file was not created: " + refused.describe(REC_TYPE(kind), who) + ". Please correct the " +
               refused.noun() + " and export again.";
}

std::string IrisFile::line(int32_t kind, const ComapnyInfo& payer, const IrisRecipient& recipient) {
    refusal_.clear();
    std::string out;
    appendPayer(out, kind, payer);
    out.push_back(',');
    appendRecipient(out, kind, payer, recipient);
    return out;
}

std::string IrisFile::build(int32_t kind, const ComapnyInfo& payer, const std::vector<IrisRecipient>& recipients) {
    refusal_.clear();
    std::string out = header(kind);
    // Every line repeats the payer's columns: built once.
    std::string payerColumns;
    appendPayer(payerColumns, kind, payer);
    out.reserve(out.size() + recipients.size() * (payerColumns.size() + 400));
    for (const IrisRecipient& r : recipients) {
        out.push_back('\n');
        out += payerColumns;
        out.push_back(',');
        appendRecipient(out, kind, payer, r);
    }
    return out;
}
