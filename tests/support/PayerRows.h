#pragma once

// Payers stored in the session's open company database, as the tests write them.

#include <cstdint>
#include <string>

#include "core/store/ComapnyInfo.h"

// A payer whose every field passes the payer window's checks.
ComapnyInfo validPayer(const std::string& name);

// Stores the payer in the open company database; its key.
int32_t addPayer(const ComapnyInfo& payer);

// Stores a valid payer of that name; its key.
int32_t addPayer(const std::string& name);
