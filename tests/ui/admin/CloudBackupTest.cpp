// The cloud backup enrolment dialog and the download command, with the browser
// replaced by a recorder and the network state forced.

#include <cstdlib>
#include <iomanip>
#include <optional>
#include <sstream>

#include <openssl/sha.h>

#include "AdminWindowsFixture.h"
#include "core/admin/CloudBackup.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/tvDatabase.h"
#include "platform/Launch.h"
#include "platform/NetworkStatus.h"
#include "ui/admin/CloudBackupController.h"

namespace {

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (previous_) setenv(name_, previous_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

std::string sha256Hex(const std::string& text) {
    unsigned char digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest);
    std::ostringstream out;
    for (unsigned char b : digest) out << std::hex << std::setw(2) << std::setfill('0') << int(b);
    return out.str();
}

const std::string kInfoPage = "https://maker.test/cloud-backup";

class CloudBackup : public AdminWindowsTest {
protected:
    void SetUp() override {
        AdminWindowsTest::SetUp();
        platform::setUrlOpener([this](const std::string& address) {
            opened.push_back(address);
            return true;
        });
    }
    void TearDown() override {
        platform::setUrlOpener({});
        AdminWindowsTest::TearDown();
    }

    int runDialog(std::function<void(CloudBackupController&)> inside) {
        script.expect("CloudBackupController", [inside](QWidget& w) {
            inside(static_cast<CloudBackupController&>(w));
            if (isRunningModal(&w)) uitest::press(w, "Close");
        });
        CloudBackupController dialog;
        return runModal(&dialog);
    }

    static void enterAndContinue(CloudBackupController& d, const std::string& email, const std::string& number) {
        typeInto(d.EmailAdd_Backup(), QString::fromStdString(email));
        typeInto(d.CustNum_Backup(), QString::fromStdString(number));
        uitest::press(d, "Continue");
    }

    // The stored row as written: (custId, emailaddress, optCloudbackup), or none.
    std::optional<std::vector<std::string>> storedRow() {
        auto db = FMDatabase::databaseWithPath(app()->GetPath());
        EXPECT_TRUE(db->open());
        auto rs = db->executeQuery("select custId, emailaddress, optCloudbackup from preferences;");
        std::optional<std::vector<std::string>> row;
        if (rs && rs->next())
            row = std::vector<std::string>{rs->stringForColumnIndex(0).value_or(""),
                                           rs->stringForColumnIndex(1).value_or(""),
                                           rs->stringForColumnIndex(2).value_or("")};
        if (rs) rs->close();
        db->close();
        return row;
    }

    void enrol(const std::string& email, const std::string& number) {
        databaseInfo info;
        info.setCloudCheck(1);
        info.setEmailaddress(email);
        info.setCustomerId(number);
        ASSERT_TRUE(app()->InsertCloudBackupInfo(info));
    }

    ScopedEnvironment site{kProductWebSiteVariable, "https://maker.test"};
    ScopedEnvironment portal{kCloudBackupServerVariable, "https://portal.test"};
    std::vector<std::string> opened;
};

TEST_F(CloudBackup, TheChecksRunInOrderAndThePassingEnrolmentIsStoredScrambled) {
    const std::string required =
        "You must enter the Email Address and Customer Number on file with Talvexa to enable Cloud Backup "
        "Services.\nFor more information, contact Support or visit " + kInfoPage;
    for (int i = 0; i < 3; ++i) scripted->answerAlert(kAlertFirstButtonCode);
    for (int i = 0; i < 4; ++i) scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runDialog([](CloudBackupController& d) {
                  EXPECT_FALSE(d.EmailAdd_Backup()->isEnabled());
                  d.CloudBackup_CheckBox()->click();
                  EXPECT_TRUE(d.EmailAdd_Backup()->isEnabled());
                  EXPECT_TRUE(d.CustNum_Backup()->isEnabled());
                  enterAndContinue(d, "", "12345");                 // e-mail address empty
                  enterAndContinue(d, "ann at example", "12345");   // not an e-mail address
                  enterAndContinue(d, "ann@example.com", "");       // customer number empty
                  for (const char* refused : {"1234", "12a45", "123 45"}) {
                      enterAndContinue(d, "ann@example.com", refused);
                      EXPECT_TRUE(isRunningModal(&d)) << refused;
                      EXPECT_EQ(d.CustNum_Backup()->text().toStdString(), refused) << "kept as typed";
                  }
                  EXPECT_EQ(d.EmailAdd_Backup()->text(), QStringLiteral("ann@example.com"));
                  enterAndContinue(d, "ann@example.com", "12345");
              }),
              CloudBackupController::kContinueCode);

    const auto alerts = scripted->alerts();
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[0].message, "Information Required.");
    EXPECT_EQ(alerts[0].title, "Talvexa 1099 Cloud Backup");
    EXPECT_EQ(alerts[0].informative, required);
    EXPECT_EQ(alerts[1].message, "Invalid Email Address.");
    EXPECT_EQ(alerts[1].title, "talvexa 1099 cloud backup");
    EXPECT_EQ(alerts[1].informative,
              "The Email Address you entered does not match our records, please enter the Email Address on file "
              "with Talvexa. \n For more information, contact Support or visit " + kInfoPage);
    EXPECT_EQ(alerts[2].message, "Information Required.");
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(boxes[i].caption, "Invalid Customer Number.");
        EXPECT_EQ(boxes[i].image, kMessageImageError);
    }
    EXPECT_EQ(boxes[3].caption, "Your Talvexa Cloud Backup account has been successfully created.");
    EXPECT_EQ(boxes[3].title, "Talvexa 1099 Cloud Backup");

    const auto row = storedRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(*row, (std::vector<std::string>{tvDatabase::Encrypt("12345"), tvDatabase::Encrypt("ann@example.com"),
                                              "1"}));
    EXPECT_EQ((*row)[1].find('@'), std::string::npos);
}

TEST_F(CloudBackup, AnEnrolledUserSeesTheStoredTextsAndSwitchingOffDeletesThemAtOnce) {
    enrol("ann@example.com", "123456");
    EXPECT_EQ(runDialog([this](CloudBackupController& d) {
                  EXPECT_TRUE(d.CloudBackup_CheckBox()->isChecked());
                  EXPECT_EQ(d.EmailAdd_Backup()->text(), QStringLiteral("ann@example.com"));
                  EXPECT_EQ(d.CustNum_Backup()->text(), QStringLiteral("123456"));
                  d.CloudBackup_CheckBox()->click();
                  EXPECT_FALSE(storedRow()) << "deleted before the dialog ends";
                  EXPECT_EQ(d.EmailAdd_Backup()->text(), QString());
                  EXPECT_FALSE(d.CustNum_Backup()->isEnabled());
                  uitest::press(d, "Close");
              }),
              CloudBackupController::kCloseCode);
    EXPECT_FALSE(storedRow());
    EXPECT_FALSE(app()->SelectCloudBackup());
}

TEST_F(CloudBackup, ContinueWithTheSwitchOffTellsAboutTheServiceAndStoresNothing) {
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_EQ(runDialog([](CloudBackupController& d) { uitest::press(d, "Continue"); }),
              CloudBackupController::kContinueCode);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Exciting News.");
    EXPECT_NE(scripted->boxes()[0].details.find(kInfoPage), std::string::npos);
    EXPECT_FALSE(storedRow());
}

TEST_F(CloudBackup, EscapeEndsTheDialogAsClose) {
    EXPECT_EQ(runDialog([](CloudBackupController& d) { uitest::key(d, Qt::Key_Escape); }),
              CloudBackupController::kCloseCode);
}

TEST_F(CloudBackup, TheFieldsStopAtTheirLimits) {
    runDialog([](CloudBackupController& d) {
        d.CloudBackup_CheckBox()->click();
        typeInto(d.EmailAdd_Backup(), QString(60, QLatin1Char('a')));
        typeInto(d.CustNum_Backup(), QString(25, QLatin1Char('1')));
        EXPECT_EQ(d.EmailAdd_Backup()->text().size(), cloudbackup::kEmailLimit);
        EXPECT_EQ(d.CustNum_Backup()->text().size(), cloudbackup::kCustomerNumberLimit);
    });
}

TEST_F(CloudBackup, TheDownloadOpensThePortalWithDigestsEvenWithoutAnEnrolment) {
    ScopedEnvironment online(platform::kNetworkStatusVariable, "up");
    ScopedEnvironment product(kCloudDownloadProductVariable, "PRODUCT-X");
    cloudbackup::DownloadBackupfromcloud();
    enrol("ann@example.com", "123456");
    cloudbackup::DownloadBackupfromcloud();
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], "https://portal.test/process-download?uid=&&cno=" + sha256Hex("") +
                             "&&prod=" + sha256Hex("PRODUCT-X") + "&&year=2025");
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(opened[1], "https://portal.test/process-download?uid=ann@example.com&&cno=" + sha256Hex("123456") +
                             "&&prod=" + sha256Hex("PRODUCT-X") + "&&year=2025");
}

TEST_F(CloudBackup, WithTheNetworkDownTheDownloadSaysSoAndOpensNothing) {
    ScopedEnvironment offline(platform::kNetworkStatusVariable, "down");
    scripted->answerBox(kMessageAnswerOkYes);
    cloudbackup::DownloadBackupfromcloud();
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Connection Failed.");
    EXPECT_EQ(scripted->boxes()[0].title, "Talvexa 1099 E-File 2025");
    EXPECT_EQ(scripted->boxes()[0].image, kMessageImageError);
}

}  // namespace
