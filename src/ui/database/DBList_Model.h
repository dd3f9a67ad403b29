#pragma once

#include <string>

// One row of a database list table: the database's name and its year, the year
// preceded by "* " for the open company database and by two blanks otherwise.
struct DBList_Model {
    std::string Name;
    std::string Year;
};
