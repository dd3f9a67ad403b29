// The user accounts of a company database (table logins), the logged-in user's
// settings and the warning for a file that seems to be open elsewhere.

#include <exception>

#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInfo.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"
#include "core/store/CompanyRowAccess.h"

namespace {

using companydb_upgrade::kDefaultLoginName;
using companydb_upgrade::kSupportLoginName;

// One saved window frame of Login_Info and the logins columns that hold it.
struct FrameGroup {
    const char* columnPrefix;
    bool readAtLogin;
    int (Login_Info::*height)() const;
    int (Login_Info::*width)() const;
    int (Login_Info::*x)() const;
    int (Login_Info::*y)() const;
    void (Login_Info::*setHeight)(int);
    void (Login_Info::*setWidth)(int);
    void (Login_Info::*setX)(int);
    void (Login_Info::*setY)(int);
};

#define FRAME(field, Field, prefix, read)                                                                   \
    FrameGroup {                                                                                            \
        prefix, read, &Login_Info::field##Height, &Login_Info::field##Width, &Login_Info::field##XCoord,    \
            &Login_Info::field##YCoord, &Login_Info::set##Field##Height, &Login_Info::set##Field##Width,    \
            &Login_Info::set##Field##XCoord, &Login_Info::set##Field##YCoord                                \
    }

// The frames of the print-selector of 1099-INT and of the two import windows have
// columns but are not read back at login.
const FrameGroup kFrames[] = {
    FRAME(mainWindow, MainWindow, "mainWindow", true),
    FRAME(DataBaseManager, DataBaseManager, "dbm_", true),
    FRAME(printCompany, PrintCompany, "printCompany", true),
    FRAME(printRecipient, PrintRecipient, "printRecipient", true),
    FRAME(recipientDetails, RecipientDetails, "recipientDetails", true),
    FRAME(recipientIntDetails, RecipientIntDetails, "recipientIntDetails", true),
    FRAME(recipientDivDetails, RecipientDivDetails, "recipientDivDetails", true),
    FRAME(recipientSDetails, RecipientSDetails, "recipientSDetails", true),
    FRAME(recipientRDetails, RecipientRDetails, "recipientRDetails", true),
    FRAME(companyDetails, CompanyDetails, "companyDetails", true),
    FRAME(admin, Admin, "admin", true),
    FRAME(userDetails, UserDetails, "userDetails", true),
    FRAME(deleteRecipient, DeleteRecipient, "deleteRecipient", true),
    FRAME(printMiscRecipientSelector, PrintMiscRecipientSelector, "printMiscRecipientSelector", true),
    FRAME(printIntRecipientSelector, PrintIntRecipientSelector, "printIntRecipientSelector", false),
    FRAME(eFile, EFile, "eFile", true),
    FRAME(import, Import, "import", true),
    FRAME(importType, ImportType, "imptype_", false),
    FRAME(importComp, ImportComp, "impComp_", false),
};

#undef FRAME

std::string column(const FrameGroup& g, const char* part) { return std::string(g.columnPrefix) + part; }

}  // namespace

bool CompanyDatabase::validateLogin(bool administratorRequired) {
    auto login = session().loginInfo;
    if (!login) return false;
    try {
        if (login->getName() == kDefaultLoginName) return false;
        auto rs = db->executeQuery("select userType, password from logins where name = ?;", login->getName());
        if (!rs) return false;
        bool valid = false;
        if (rs->next()) {
            const std::string stored = tvDatabase::Decrypt(rs->stringForColumn("password").value_or(""));
            valid = stored == login->getPassWord() && (!administratorRequired || rs->intForColumn("userType") == 1);
        }
        rs->close();
        return valid;
    } catch (...) {
        return false;
    }
}

bool CompanyDatabase::getLoginInfo() {
    auto login = session().loginInfo;
    if (!login) return false;
    try {
        auto rs = db->executeQuery("select * from logins where name = (?);", login->getName());
        if (!rs) return false;
        if (!rs->next()) {
            rs->close();
            return false;
        }
        const std::string password = tvDatabase::Decrypt(rs->stringForColumn("password").value_or(""));
        if (password != login->getPassWord()) {
            rs->close();
            return false;
        }
        login->setName(rs->stringForColumn("name").value_or(""));
        login->setPassWord(password);
        login->setFontSize(rs->intForColumn("fontSize"));
        login->setPK(rs->intForColumn("pk"));
        for (const auto& g : kFrames) {
            if (!g.readAtLogin) continue;
            (login.get()->*g.setHeight)(rs->intForColumn(column(g, "Height")));
            (login.get()->*g.setWidth)(rs->intForColumn(column(g, "Width")));
            (login.get()->*g.setX)(rs->intForColumn(column(g, "XCoord")));
            (login.get()->*g.setY)(rs->intForColumn(column(g, "YCoord")));
        }
        login->setUserType(rs->intForColumn("userType"));
        login->setDoNotShowWelcomeDialog(rs->intForColumn("doNotShowWelcomeDialog") > 0);
        login->setDoNotShowPrintAlignmentDialog(rs->intForColumn("doNotShowPrintAlignmentDialog") > 0);
        login->setCompanySort(rs->intForColumn("companySort"));
        login->setRecipientSort(rs->intForColumn("recipientSort"));
        rs->close();
        return true;
    } catch (...) {
        return false;
    }
}

bool CompanyDatabase::updateLoginInfo() {
    auto login = session().loginInfo;
    if (!login) return false;
    {
        std::string sql = "update logins set name = (?), password = (?),fontSize = (?),";
        std::vector<FMValue> values = {login->getName(), tvDatabase::Encrypt(login->getPassWord()),
                                       login->getFontSize()};
        for (const auto& g : kFrames) {
            sql += " " + column(g, "Height") + " = (?), " + column(g, "Width") + " = (?), " + column(g, "XCoord") +
                   " = (?), " + column(g, "YCoord") + " = (?),";
            values.insert(values.end(), {(login.get()->*g.height)(), (login.get()->*g.width)(),
                                         (login.get()->*g.x)(), (login.get()->*g.y)()});
        }
        sql += " recipientSort = (?), companySort = (?), doNotShowWelcomeDialog = (?),"
               " doNotShowPrintAlignmentDialog = (?) where pk = (?);";
        values.insert(values.end(), {login->getRecipientSort(), login->getCompanySort(),
                                     login->getDoNotShowWelcomeDialog() ? 1 : 0,
                                     login->getDoNotShowPrintAlignmentDialog() ? 1 : 0, login->getPK()});
        return companyrows::write(*this, "Unable to save the user's settings.",
                                  [&] { return db->executeUpdate(sql, values); });
    }
}

std::vector<UserInfo> CompanyDatabase::getUsers() {
    std::vector<UserInfo> users;
    try {
        auto rs = db->executeQuery("select * from logins ORDER BY name COLLATE NOCASE ASC;");
        if (!rs) return users;
        while (rs->next()) {
            UserInfo user;
            user.setUserName(rs->stringForColumn("name").value_or(""));
            user.setPassword(tvDatabase::Decrypt(rs->stringForColumn("password").value_or("")));
            user.setPK(rs->intForColumn("pk"));
            users.push_back(std::move(user));
        }
        rs->close();
    } catch (...) {
    }
    return users;
}

UserInfo CompanyDatabase::getUserInfo(int32_t key) {
    UserInfo user;
    try {
        auto rs = db->executeQuery("select * from logins where pk = (?);", key);
        if (!rs) return user;
        if (rs->next()) {
            user.setUserName(rs->stringForColumn("name").value_or(""));
            user.setPassword(tvDatabase::Decrypt(rs->stringForColumn("password").value_or("")));
            user.setPK(rs->intForColumn("pk"));
            user.setUserType(rs->intForColumn("userType"));
        }
        rs->close();
    } catch (...) {
    }
    return user;
}

bool CompanyDatabase::insertUserInfo(const UserInfo& user) {
    return companyrows::write(*this, "Unable to add the user.", [&] {
        const int32_t key = getNewUserPK() + 1;
        return db->executeUpdate(
            "insert into logins (pk, name, password, fontSize,  userType) values (?, ?, ?,  ?, ?);", key,
            user.getUserName(), tvDatabase::Encrypt(user.getPassword()), 14, user.getUserType());
    });
}

bool CompanyDatabase::updateUserInfo(const UserInfo& user) {
    return companyrows::write(*this, "Unable to update the user.", [&] {
        return db->executeUpdate("update logins set name = (?), password = (?),userType = (?) where pk = (?);",
                                 user.getUserName(), tvDatabase::Encrypt(user.getPassword()), user.getUserType(),
                                 user.getPK());
    });
}

bool CompanyDatabase::deleteUser(const UserInfo& user) {
    return companyrows::write(*this, "Unable to delete the user.", [&] {
        return db->executeUpdate("delete from logins where pk = (?);", user.getPK());
    });
}

bool CompanyDatabase::hasNonDefaultLogin(bool administratorsOnly, int32_t leaveOutKey) {
    try {
        if (leaveOutKey == -1)
            return db->intForQuery("select count(*) as val from logins where name != ?  AND name != ?;",
                                   kDefaultLoginName, kSupportLoginName) != 0;
        const std::string others = " from logins where name != ?  AND name != ?  AND pk != ?;";
        if (db->intForQuery("select count(*)" + others, kDefaultLoginName, kSupportLoginName, leaveOutKey) == 0)
            return false;
        if (!administratorsOnly) return true;
        auto rs = db->executeQuery("select *" + others, kDefaultLoginName, kSupportLoginName, leaveOutKey);
        if (!rs) return false;
        bool found = false;
        while (!found && rs->next()) found = rs->intForColumn("userType") == 1;
        rs->close();
        return found;
    } catch (...) {
        return false;
    }
}

int32_t CompanyDatabase::getNewUserPK() {
    try {
        return db->intForQuery("select ifnull(max(pk), -1) as newest from logins;");
    } catch (...) {
        return -1;
    }
}

// Users are removed one at a time; there is nothing to purge.
void CompanyDatabase::purgeUsers() {}

bool CompanyDatabase::CheckInUse() {
    if (GetInUseCount() < 1) return false;
    const std::string details =
        "The database you are attempting to access appears to already be in use:\n\n    \"" + GetName() +
        "\"\n\n"
        "Multiple users accessing the same database simultaneously may cause corruption!\n\n"
        "                           Please close this database from all other computers before opening or "
        "modifying. If the database is still in use, click 'Cancel, Do Not Open' to stop accessing this database. "
        "If you are sure no other users are accessing this database, click 'Continue Anyway' to continue accessing "
        "the database.\n\n"
        "                           You may be getting this warning in error if Talvexa 1099 was improperly shut "
        "down, or if this database was closed improperly. This may include power failure, force quitting Talvexa "
        "1099, an unexpected crash, and moving or renaming a database while it is still open. If you believe you "
        "are getting this warning in error, please click 'Continue Anyway' to continue accessing the database.\n\n"
        "                           Do you want to continue opening this database?";
    const int32_t answer = tvDatabase::tvMessageBox_2(
        "Warning! Database may be in use! Continue anyway?", details, kMessageStyleYesNo, "Company Database Warning", kMessageImageError,
        "Continue Anyway (May Cause Corruption If In Use)", "Cancel, Do Not Open", false, false);
    if (answer == kMessageAnswerNo) Log(-1, -1, 0, "Open Database", "The user chose not to open the database.", 0, -1);
    return answer == kMessageAnswerOkYes;
}
