#include "core/payroll/PayrollContext.h"

#include "core/foundation/Session.h"
#include "core/payroll/EmployeeData.h"
#include "core/payroll/EmployerReturns.h"
#include "core/payroll/PayrollSettings.h"
#include "core/payroll/TaxTables.h"

PayrollContext::PayrollContext()
    : info(std::make_shared<INFO>()),
      States(payroll::newRecords<STATE>(200)),
      StateTabs(payroll::newRecords<STATETABLE>(200)),
      info2(std::make_shared<INFO2>()) {}

PayrollContext::~PayrollContext() = default;

PayrollContext& payrollContext() {
    std::shared_ptr<PayrollContext>& context = session().payroll;
    if (!context) context = std::make_shared<PayrollContext>();
    return *context;
}
