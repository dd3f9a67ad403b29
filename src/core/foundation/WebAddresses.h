#pragma once

#include <cstdlib>
#include <string>

// The web addresses the program opens or asks, in one place.

// The product's web site (home page).
inline constexpr const char kProductWebSite[] = "https://www.talvexa.com";
// The web site's host name, as the texts name it.
inline constexpr const char kProductWebSiteHost[] = "www.talvexa.com";
// The page from which patches of the 1099 program are downloaded.
inline constexpr const char kPatchPageAddress[] = "https://www.talvexa.com/1099-software/downloads";
// The server of the help documents (the manual, the quick start guide, ...), which the
// Help menu opens in the browser under "/1099/2025/".
inline constexpr const char kDocumentServer[] = "https://docs.talvexa.com";
// The update server, which serves the versions database and the patches it names.
inline constexpr const char kUpdateServer[] = "https://updates.talvexa.com";
// Where the versions database lies on the update server.
inline constexpr const char kVersionsDatabasePath[] = "/forms1099/versions/forms1099Versions_64.db";
// The tax agency's web site, its FIRE production system and its FIRE test system,
// which the e-file help window opens in the browser.
inline constexpr const char kAgencyWebSite[] = "https://www.irs.gov";
inline constexpr const char kFireProductionSystem[] = "https://fire.irs.gov";
inline constexpr const char kFireTestSystem[] = "https://fire.test.irs.gov";

// Environment variables that point the web site and the update server elsewhere (the
// tests give "http://127.0.0.1:PORT"); unset or empty, the addresses above apply.
inline constexpr const char kProductWebSiteVariable[] = "TALVEXA_WEB_SITE";
inline constexpr const char kUpdateServerVariable[] = "TALVEXA_UPDATE_SERVER";

namespace webaddress_detail {
inline std::string fromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    return value && *value ? std::string(value) : std::string(fallback);
}
}  // namespace webaddress_detail

// The base address of the product's web site and of the update server, without a
// trailing "/".
inline std::string productWebSiteAddress() {
    return webaddress_detail::fromEnvironment(kProductWebSiteVariable, kProductWebSite);
}
inline std::string updateServerAddress() {
    return webaddress_detail::fromEnvironment(kUpdateServerVariable, kUpdateServer);
}

// The tax agency's sign-in for e-services, which the IRIS help window opens: a single
// sign-on that lands on the e-services page and names the IRIS application.
inline constexpr const char kIrisSignInHost[] = "https://la.www4.irs.gov";
inline constexpr const char kIrisSignInPath[] =
    "/sso/?resumePath=%2Fidp%2FSSO.saml2&allowInteraction=true&reauth=false&connectionId=SADIPACLIENT"
    "&REF=IRIS&TargetResource=https%3A%2F%2Fla.www4.irs.gov%2Fesrv%2Fesrv.jsp"
    "&AppName=IRIS";
// The pages of the agency's web site on applying for an IRIS transmitter control code
// and the IRIS user guide.
inline constexpr const char kIrisApplicationForTccPath[] = "/tax-professionals/iris-application-for-tcc";
inline constexpr const char kIrisUserGuidePath[] = "/pub/irs-pdf/p5717.pdf";

// The cloud backup service's portal, to which a backup is handed over in the browser
// ("/process-backup?", "/process-download?"), the maker's page that explains the
// service, and the product code the portal expects in a download request.
inline constexpr const char kCloudBackupServer[] = "https://cloud.talvexa.com";
inline constexpr const char kCloudBackupInfoPath[] = "/cloud-backup";
inline constexpr const char kCloudDownloadProductCode[] = "TVX1099";
// Environment variables that point the portal and the product code elsewhere for tests;
// the information page follows the web site's variable.
inline constexpr const char kCloudBackupServerVariable[] = "TALVEXA_CLOUD_SERVER";
inline constexpr const char kCloudDownloadProductVariable[] = "TALVEXA_CLOUD_PRODUCT";

inline std::string cloudBackupServerAddress() {
    return webaddress_detail::fromEnvironment(kCloudBackupServerVariable, kCloudBackupServer);
}
inline std::string cloudBackupInfoPageAddress() { return productWebSiteAddress() + kCloudBackupInfoPath; }
inline std::string cloudDownloadProductCode() {
    return webaddress_detail::fromEnvironment(kCloudDownloadProductVariable, kCloudDownloadProductCode);
}
