#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include "ui/database/DatabaseFixture.h"

// A company database open in the session, with the user logged in as the test says.
class AdminWindowsTest : public DatabaseTest {
protected:
    std::string openDatabase(const DatabaseRecipe& recipe) {
        const std::string path = makeDatabase(recipe);
        EXPECT_TRUE(cdb()->Init(path, true, true, true, recipe.name));
        return path;
    }

    // Logs in as the account of that name (as the login dialog does).
    void logIn(const std::string& name, const std::string& password) {
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setName(name);
        session().loginInfo->setPassWord(password);
        ASSERT_TRUE(cdb()->getLoginInfo());
    }

    int32_t keyOf(const std::string& name) {
        for (const UserInfo& u : cdb()->getUsers())
            if (u.getUserName() == name) return u.getPK();
        return -1;
    }

    // Replaces a field's text by typing it, keystroke by keystroke.
    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(edit, &del);
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
    }
    static void typeInto(QWidget& w, const char* field, const std::string& text) {
        typeInto(uitest::child<QLineEdit>(w, field), QString::fromStdString(text));
    }

    // The program's alert: its window title and informative text, answered with OK.
    ModalScript::Answer alertSaying(std::string title, std::string informative) {
        return [title, informative](QWidget& w) {
            auto* box = qobject_cast<QMessageBox*>(&w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle().toStdString(), title);
            EXPECT_EQ(box->informativeText().toStdString(), informative);
            answer::pressAlertButton(w, QStringLiteral("OK"));
        };
    }
};
