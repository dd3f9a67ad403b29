#pragma once

#include <string>
#include <vector>

// The validation-error list: every failure of a record at once, with the choice to
// go back and correct it or to save it anyway. Returns true when the user chose to
// save anyway.
bool showFormErrors(const std::vector<std::string>& errors);

// The list's text: each message followed by a line end, in the given order.
std::string formErrorsText(const std::vector<std::string>& errors);
