#pragma once

#include <string>

// Tells the user that a piece of work this program does not do yet is not available,
// in the shared message box: empty caption, the details what + " is not available
// yet.", OK, the program's title and the plain image. Nothing else happens.
void showNotAvailableYet(const std::string& what);
