#include "core/sqlite/FMStatement.h"

#include <cstdio>
#include <sqlite3.h>

FMStatement::~FMStatement() { close(); }

void FMStatement::close() {
    if (statement_) {
        sqlite3_finalize(statement_);
        statement_ = nullptr;
    }
    inUse_ = false;
}

void FMStatement::reset() {
    if (statement_) sqlite3_reset(statement_);
    inUse_ = false;
}

std::string FMStatement::description() const {
    char self[64];
    std::snprintf(self, sizeof self, "<FMStatement: %p>", static_cast<const void*>(this));
    return std::string(self) + " " + std::to_string(useCount_) + " hit(s) for query " + query_;
}
