#pragma once

// A session with this year's configuration folder and configuration database in a
// temporary home, company database files made by the test, and scripted answers for
// message boxes (ScriptedUserInterface) and for windows run modally (ModalScript).

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "TestConfiguration.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UserInfo.h"
#include "core/foundation/databaseInfo.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/DatabaseAlert.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"

// Answers the windows that are run modally, in order, each checked by its object name.
// A window that comes unexpected fails the test (and is closed by the failure handler).
class ModalScript {
public:
    using Answer = std::function<void(QWidget&)>;

    ModalScript() : responder_([this](QWidget& w) { answer(w); }) {}

    void expect(std::string name, Answer answer) { queue_.push_back({std::move(name), std::move(answer)}); }
    bool allUsed() const { return queue_.empty(); }
    const std::vector<std::string>& seen() const { return seen_; }

private:
    void answer(QWidget& window) {
        const std::string name = window.objectName().toStdString();
        seen_.push_back(name);
        if (queue_.empty()) {
            ADD_FAILURE() << "unexpected window " << name;
            return;
        }
        auto [expected, answer] = std::move(queue_.front());
        queue_.pop_front();
        EXPECT_EQ(name, expected);
        if (name == expected) answer(window);
    }

    std::deque<std::pair<std::string, Answer>> queue_;
    std::vector<std::string> seen_;
    ScopedModalResponder responder_;
};

// One company database file as a test wants it, built up by chained calls:
// DatabaseRecipe("Acme").payer("Acme Supply").user("Ada", "Secret1", 1).
struct DatabaseRecipe {
    struct User {
        std::string name, password;
        int type;
    };
    explicit DatabaseRecipe(std::string n) : name(std::move(n)) {}
    DatabaseRecipe& inYear(int y) { year = y; return *this; }
    DatabaseRecipe& payer(std::string p) { payers.push_back(std::move(p)); return *this; }
    DatabaseRecipe& user(std::string n, std::string p, int type) { users.push_back({std::move(n), std::move(p), type}); return *this; }
    DatabaseRecipe& markedBackup() { backup = true; return *this; }
    // Marked in use, as a run that crashed leaves it.
    DatabaseRecipe& markedInUse() { leftInUse = true; return *this; }
    DatabaseRecipe& inFolder(std::string f) { folder = std::move(f); return *this; }

    std::string name;
    int year = 2025;
    std::vector<std::string> payers;
    std::vector<User> users;
    bool backup = false;
    bool leftInUse = false;
    std::string folder;       // default: the year folder
};

// Answers for modal windows.
namespace answer {

inline std::string alertText(QWidget& w) {
    auto* box = qobject_cast<QMessageBox*>(&w);
    EXPECT_NE(box, nullptr);
    return box ? box->text().toStdString() : std::string();
}

inline void pressAlertButton(QWidget& w, const QString& text) {
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>())
        if (b->text() == text) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

// The alert shows the message; OK dismisses it.
inline ModalScript::Answer alert(std::string message) {
    return [message](QWidget& w) {
        EXPECT_EQ(alertText(w), message);
        pressAlertButton(w, QStringLiteral("OK"));
    };
}

inline void typeLogin(QWidget& w, const std::string& name, const std::string& password) {
    uitest::child<QLineEdit>(w, "UserName_P")->setText(QString::fromStdString(name));
    uitest::child<QLineEdit>(w, "Password_P")->setText(QString::fromStdString(password));
    uitest::press(w, "Execute_Login");
}

inline ModalScript::Answer login(std::string name, std::string password) {
    return [=](QWidget& w) { typeLogin(w, name, password); };
}

inline ModalScript::Answer chooseFile(std::string path) {
    return [path](QWidget& w) { answerFileChooser(w, path); };
}

// Selects a row of a table as a click on it does.
inline void clickRow(QTableView* table, int row) {
    const QModelIndex index = table->model()->index(row, 0);
    table->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    emit table->clicked(index);
}

}  // namespace answer

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        const auto dir = openTestConfiguration(home.path());
        ASSERT_TRUE(dir);
        for (const std::string& folder : {dir->GetAutoBackupsDir(), dir->GetReportsDir()})
            ASSERT_TRUE(platform::createDirectories(folder));
    }

    void TearDown() override {
        if (cdb()->IsReady()) cdb()->Close();
        app()->Close();
        EXPECT_TRUE(scripted->allAnswersUsed()) << "message box answers left over";
        EXPECT_TRUE(script.allUsed()) << "window answers left over";
        scripted.reset();
        resetSession();
    }

    std::shared_ptr<AppDatabase> app() { return session().DBH->appDatabase(); }
    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }
    // The year folder, without its trailing "/".
    std::string yearFolder() const {
        std::string folder = session().configDir->GetDir();
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        return folder;
    }

    // Writes a company database file; its path.
    std::string makeDatabase(const DatabaseRecipe& recipe) {
        const std::string folder = recipe.folder.empty() ? yearFolder() : recipe.folder;
        const std::string path = folder + "/" + recipe.name + " " + std::to_string(recipe.year) + ".db";
        CompanyDatabase db;
        EXPECT_TRUE(db.Init(path, false, true, true, recipe.name));
        EXPECT_TRUE(db.SetName(recipe.name));
        EXPECT_TRUE(db.SetYear(recipe.year));
        for (const std::string& payer : recipe.payers) {
            ComapnyInfo c;
            c.setName(payer);
            EXPECT_TRUE(db.insertCompanyInfo(c));
        }
        for (const auto& u : recipe.users) {
            UserInfo user;
            user.setUserName(u.name);
            user.setPassword(u.password);
            user.setUserType(u.type);
            db.insertUserInfo(user);
        }
        if (recipe.backup) db.SetBackup(true);
        if (recipe.leftInUse) db.SetInUse(1);
        db.Close();
        return path;
    }

    // Lists a file in the configuration database.
    databaseInfo listDatabase(const std::string& path, const std::string& name, int year = 2025,
                              const std::string& companyName = "") {
        databaseInfo entry;
        entry.setName(name);
        entry.setPath(path);
        entry.setYear(year);
        entry.setCompanyName(companyName);
        EXPECT_TRUE(app()->InsertDatabaseInfo(entry));
        return entry;
    }

    std::vector<std::string> listedPaths() {
        std::vector<std::string> out;
        for (const databaseInfo& e : app()->SelectDatabaseList()) out.push_back(e.path());
        return out;
    }

    std::string recentPath() {
        auto recent = app()->GetRecentDatabaseInfo();
        return recent ? recent->path() : std::string("<none>");
    }

    static int intQuery(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        EXPECT_TRUE(db->open());
        const int v = db->intForQuery(sql, std::vector<FMValue>{});
        db->close();
        return v;
    }

    static void execSql(const std::string& path, const std::string& sql) {
        auto db = FMDatabase::databaseWithPath(path);
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeStatements(sql)) << db->lastErrorMessage();
        db->close();
    }

    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const MessageBoxRequest& box : scripted->boxes()) out.push_back(box.caption);
        return out;
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    ModalScript script;
};
