// The mailing labels of PrtReport: every recipient of the payer, on label sheets.

#include <memory>
#include <unordered_map>

#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/print/PrtReport.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/MailingLabelInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

// The label's city line: "Springfield, IL 62701"; an empty part goes with its separator.
std::string labelCityLine(const RecipientInfo& r) {
    std::string state = r.addressIsNotUSTerritory() ? r.getState() : Utils::getStateCode(r.getState(), false);
    // "None" has a blank for its code.
    if (state.find_first_not_of(' ') == std::string::npos) state.clear();
    const std::string& city = r.getCity();
    const std::string& zip = r.getZip();
    std::string line = city;
    if (!city.empty() && !state.empty()) line += ", ";
    line += state;
    if (!state.empty() && !zip.empty()) line += " ";
    line += zip;
    return line;
}

}  // namespace

void PrtReport::Mailing() {
    const Session& s = session();
    if (!s.comp_details || s.comp_details->selectedCompanies().empty()) return;
    std::shared_ptr<CompanyDatabase> db = s.DBH ? s.DBH->companyDatabase() : nullptr;
    if (!db || !db->IsReady()) return;
    const int32_t payer = s.comp_details->selectedCompanies().front();
    const int32_t sort = s.loginInfo ? s.loginInfo->getRecipientSort() : 0;
    const LabelLayout layout = LabelLayout::of(db->SelectMailingLabelInfo(payer));
    meterStep("Reading the recipients", 0);
    Mailing(layout, db->getRecipientInfo1(payer, sort, 0, 0), db->getAdditionalRecipients1(payer, sort, 0, 0));
}

void PrtReport::Mailing(const LabelLayout& layout, const std::vector<RecipientInfo>& recipients,
                        const std::vector<RecipientAdditionalInfo>& additional) {
    // Matched by key, so a recipient without additional data never takes another's.
    std::unordered_map<int32_t, const RecipientAdditionalInfo*> byKey;
    byKey.reserve(additional.size());
    for (const RecipientAdditionalInfo& a : additional) byKey.emplace(a.getPK(), &a);

    const int32_t line = Prt.LineInch;
    int32_t x = layout.left;
    int32_t y = layout.top;
    int32_t leftInRow = layout.across;
    meterStep("Laying out the labels", recipients.size());
    std::size_t done = 0;
    for (const RecipientInfo& r : recipients) {
        if (meterCancelled(done++)) return;   // the run prints nothing then
        const auto found = byKey.find(r.getPK());
        const RecipientAdditionalInfo* more = found == byKey.end() ? nullptr : found->second;
        std::string name;
        if (!more)
            name = r.getName();
        else if (more->getname_type() == "Business Name")
            name = r.getName();
        else
            name = r.getFirstName() + " " + more->getlastname();
        const std::string city = labelCityLine(r);

        for (int32_t copy = 0; copy < layout.repeat; ++copy) {
            if (!pageopen) {
                openPage();
                y = layout.top;
                x = layout.left;
            }
            Put_Mailing(name, x, y);
            Put_Mailing(r.getAddress(), x, y + line);
            Put_Mailing(city, x, y + 2 * line);
            // An address outside the US is not delivered without its country.
            if (r.addressIsNotUSTerritory() && !r.getCountry().empty()) Put_Mailing(r.getCountry(), x, y + 3 * line);
            if (leftInRow >= 2) {
                --leftInRow;
                x += layout.width;
            } else {
                y += layout.height;
                leftInRow = layout.across;
                x = layout.left;
                // The top margin counts a second time here: a row must clear it below
                // as well as above.
                if (y + layout.top + 4 * line >= Prt.BottomInch) {
                    Prt.ClosePage();
                    pageopen = false;
                }
            }
        }
    }
    (void)meterCancelled(done);   // the last count; the run asks for Cancel before it prints
}
