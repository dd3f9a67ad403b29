#include "core/admin/CloudBackup.h"

#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/NSHash_AdditionalHashingAlgorithms.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/Utils.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/Launch.h"
#include "platform/NetworkStatus.h"

namespace cloudbackup {

namespace {

constexpr int kTaxYear = 2025;

std::string sha256(const std::string& text) { return NSHash_AdditionalHashingAlgorithms::SHA256(text); }

std::shared_ptr<AppDatabase> configuration() {
    const Session& s = session();
    if (!s.DBH) return nullptr;
    const auto& app = s.DBH->appDatabase();
    return app && app->IsReady() ? app : nullptr;
}

std::string pairs(const std::string& path, const std::string& email, const std::string& customerNumber,
                  const std::string& product) {
    return cloudBackupServerAddress() + path + "uid=" + email + "&&cno=" + sha256(customerNumber) +
           "&&prod=" + sha256(product);
}

void warningAlert(const std::string& title, const std::string& message, const std::string& informative) {
    AlertRequest alert;
    alert.icon = AlertIcon::Error;
    alert.title = title;
    alert.message = message;
    alert.informative = informative;
    alert.buttons = {"OK"};
    (void)userInterface().alert(alert);
}

void informationRequired() {
    warningAlert(kCloudTitle, "Information Required.",
                 "You must enter the Email Address and Customer Number on file with Talvexa to enable Cloud "
                 "Backup Services.\nFor more information, contact Support or visit " +
                     cloudBackupInfoPageAddress());
}

bool allDigits(const std::string& text) { return Utils::isValidUserID(text); }

}  // namespace

void openInBrowser(const std::string& address) {
    if (platform::openUrl(address)) return;
    tvDatabase::tvMessageBox("Unable to open the web browser.",
                             "Open this address in your web browser to continue with the Cloud Backup Portal:\n\n" +
                                 address,
                             kMessageStyleOK, kProgramTitle, kMessageImageError, false);
}

std::string uploadAddress(const std::string& email, const std::string& customerNumber,
                          const std::string& proposedFileName) {
    return pairs("/process-backup?", email, customerNumber, kUploadProductText) +
           "&&file=" + sha256(proposedFileName) + "&&year=" + std::to_string(kTaxYear);
}

std::string downloadAddress(const std::string& email, const std::string& customerNumber) {
    return pairs("/process-download?", email, customerNumber, cloudDownloadProductCode()) +
           "&&year=" + std::to_string(kTaxYear);
}

bool continueEnrolment(bool switchOn, const std::string& email, const std::string& customerNumber) {
    if (!switchOn) {
        tvDatabase::tvMessageBox("Exciting News.",
                                 "Talvexa has recently introduced Cloud Backup Service for all of our Software. "
                                 "Now you can backup your important data securely to the cloud.        \nFor more "
                                 "information, contact Support or visit " +
                                     cloudBackupInfoPageAddress(),
                                 kMessageStyleOK, kCloudTitle, kMessageImageMessage, false);
        return true;
    }
    if (email.empty()) {
        informationRequired();
        return false;
    }
    if (!Utils::ValidateEmail(email)) {
        warningAlert("talvexa 1099 cloud backup", "Invalid Email Address.",
                     "The Email Address you entered does not match our records, please enter the Email Address "
                     "on file with Talvexa. \n For more information, contact Support or visit " +
                         cloudBackupInfoPageAddress());
        return false;
    }
    if (customerNumber.empty()) {
        informationRequired();
        return false;
    }
    if (!allDigits(customerNumber) || customerNumber.size() < 5) {
        tvDatabase::tvMessageBox("Invalid Customer Number.",
                                 "The Customer Number you entered does not match our records, please enter the "
                                 "Customer Number on file with Talvexa. \nFor more information, contact Support "
                                 "or visit " +
                                     cloudBackupInfoPageAddress(),
                                 kMessageStyleOK, kCloudTitle, kMessageImageError, false);
        return false;
    }
    databaseInfo enrolment;
    enrolment.setCloudCheck(1);
    enrolment.setCustomerId(customerNumber);
    enrolment.setEmailaddress(email);
    tvDatabase::tvMessageBox(
        "Your Talvexa Cloud Backup account has been successfully created.",
        "Your account details will be verified when you upload files to our Cloud Backup Portal from the "
        "software. \n See steps below to get started:\n1. Go to File, select Backup Database and backup your "
        "current data.\n2. The software will open the Cloud Backup Portal in your default web browser.\n3. "
        "Locate the recently backed up data file and click on 'Upload'.\nYour file will be uploaded to the "
        "Cloud Backup Portal.",
        kMessageStyleOK, kCloudTitle, kMessageImageMessage, false);
    // A storage fault is reported by the configuration database itself.
    if (auto app = configuration()) (void)app->InsertCloudBackupInfo(enrolment);
    return true;
}

void switchOff() {
    auto app = configuration();
    if (!app || !app->SelectCloudBackup()) return;
    databaseInfo enrolled;
    enrolled.setCloudCheck(1);
    (void)app->DeleteCloudBackupInfo(enrolled);   // answers false whatever happened; faults are shown
}

bool storedEnrolment(std::string& email, std::string& customerNumber) {
    auto app = configuration();
    if (!app) return false;
    databaseInfo stored;
    app->GetCloudBackupInfo(stored);
    if (stored.CloudCheck() != 1) return false;
    email = stored.Emailaddress();
    customerNumber = stored.CustomerId();
    return true;
}

void showConnectionFailed() {
    tvDatabase::tvMessageBox("Connection Failed.",
                             "We are unable to connect to the Internet. Talvexa 1099 requires an active internet "
                             "connection to backup your files to the cloud. Check your internet connection and try "
                             "again.",
                             kMessageStyleOK, kProgramTitle, kMessageImageError, false);
}

void DownloadBackupfromcloud() {
    if (!platform::isNetworkAvailable()) {
        showConnectionFailed();
        return;
    }
    std::string customerNumber, email;
    if (auto app = configuration()) {
        customerNumber = app->SelectCloudCustomerId();
        email = app->SelectCloudEmailAddress();
    }
    openInBrowser(downloadAddress(email, customerNumber));
}

}  // namespace cloudbackup
