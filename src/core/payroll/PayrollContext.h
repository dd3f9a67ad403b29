#pragma once

#include <memory>
#include <vector>

class INFO;
class INFO2;
class STATE;
class STATETABLE;
class EMPDATA;

// What the payroll lookups and report headers read. Nothing fills it; it starts as new
// records of the sizes the payroll model uses. It lives with the session, so
// resetSession() starts it afresh too.
struct PayrollContext {
    PayrollContext();
    ~PayrollContext();

    std::shared_ptr<INFO> info;                         // the company's payroll settings
    std::vector<std::shared_ptr<STATE>> States;         // 200 states
    std::vector<std::shared_ptr<STATETABLE>> StateTabs; // 200 state tax tables
    std::vector<std::shared_ptr<EMPDATA>> EmpDataVec;   // employees' payroll settings, none
    std::shared_ptr<INFO2> info2;                       // employer-return settings
};

// The session's payroll context, made on first use after each resetSession().
PayrollContext& payrollContext();
