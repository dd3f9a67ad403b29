#pragma once

#include <string>

// The error an access-layer operation hands back through its out-parameter.
struct FMError {
    std::string domain;
    int code = 0;
    std::string description;
};
