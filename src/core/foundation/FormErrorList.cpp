#include "core/foundation/FormErrorList.h"

#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"

bool showFormErrors(const std::vector<std::string>& errors) { return userInterface().formErrors(errors); }

std::string formErrorsText(const std::vector<std::string>& errors) {
    std::string text;
    for (const auto& e : errors) text += e + "\n";
    return text;
}
