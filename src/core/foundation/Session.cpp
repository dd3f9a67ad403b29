#include "core/foundation/Session.h"

#include <cstdio>
#include <cstdlib>

#include "core/payroll/EmployeeData.h"
#include "core/payroll/EmployerReturns.h"
#include "core/payroll/PayrollSettings.h"
#include "core/payroll/TaxTables.h"

namespace {
Session& storage() {
    static Session s;
    return s;
}
}  // namespace

Session::Session()
    : info(std::make_shared<INFO>()),
      States(payroll::newRecords<STATE>(200)),
      StateTabs(payroll::newRecords<STATETABLE>(200)),
      info2(std::make_shared<INFO2>()) {}

Session& session() { return storage(); }

void resetSession() { storage() = Session{}; }

UserInterface& userInterface() {
    UserInterface* ui = storage().ui;
    if (!ui) {
        std::fputs("talvexa: no user interface installed\n", stderr);
        std::abort();
    }
    return *ui;
}
