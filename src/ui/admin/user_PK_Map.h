#pragma once

#include <cstdint>

// The account shown in one row of the accounts list, and that row's position.
struct user_PK_Map {
    int32_t userPK = -1;
    int32_t locationInUserList = -1;
};
