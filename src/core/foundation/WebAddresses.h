#pragma once

// The web addresses the program opens or asks, in one place.

// The product's web site (home page).
inline constexpr const char kProductWebSite[] = "https://www.talvexa.com";
// The page from which patches of the 1099 program are downloaded.
inline constexpr const char kPatchPageAddress[] = "https://www.talvexa.com/1099-software/downloads";
