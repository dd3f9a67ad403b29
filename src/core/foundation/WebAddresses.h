#pragma once

// The web addresses the program opens or asks, in one place.

// The product's web site (home page).
inline constexpr const char kProductWebSite[] = "https://www.talvexa.com";
// The page from which patches of the 1099 program are downloaded.
inline constexpr const char kPatchPageAddress[] = "https://www.talvexa.com/1099-software/downloads";
// The server of the help documents (the manual, the quick start guide, ...), which the
// Help menu opens in the browser under "/1099/2025/".
inline constexpr const char kDocumentServer[] = "https://docs.talvexa.com";
// The tax agency's web site, its FIRE production system and its FIRE test system,
// which the e-file help window opens in the browser.
inline constexpr const char kAgencyWebSite[] = "https://www.irs.gov";
inline constexpr const char kFireProductionSystem[] = "https://fire.irs.gov";
inline constexpr const char kFireTestSystem[] = "https://fire.test.irs.gov";
