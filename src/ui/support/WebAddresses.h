#pragma once

// Web addresses that the windows open in the browser.
inline constexpr const char* kTalvexaHost = "https://www.talvexa.com";
inline constexpr const char* kPatchPageAddress = "https://www.talvexa.com/1099-software/downloads";
