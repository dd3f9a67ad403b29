#pragma once

// The e-file window over a company database that each test fills, with the main window
// beside it. Message boxes and the error list are answered by the scripted seam, the
// save panels and the help window by the modal responder.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "PayerRows.h"
#include "ScriptedUserInterface.h"
#include "ui/UiTestHelpers.h"
#include "TempHome.h"
#include "core/efile/EFile.h"
#include "core/efile/EFileTestSupport.h"
#include "core/efile/FireFileReader.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "platform/FileSystem.h"
#include "ui/efile/EFileFrameController.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"

class EFileWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        scripted = std::make_unique<ScriptedUserInterface>();
        session().DBH = std::make_shared<DatabaseHolder>();
        ASSERT_TRUE(session().DBH->appDatabase()->Init(home.file("Talvexa_1099_2025.db"), false));
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setUserType(1);
        main = std::make_unique<AppDelegate>();
        ASSERT_TRUE(cdb()->Init(home.file("Acme 2025.db"), true, true, true, "Acme"));
        folder = home.file("out");
        std::filesystem::create_directories(folder);
        session().ControlledTempDir = home.file("config");
        std::filesystem::create_directories(session().ControlledTempDir);
    }
    void TearDown() override {
        window.reset();
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (cdb()->IsReady()) cdb()->Close();
        session().DBH->appDatabase()->Close();
        EXPECT_TRUE(scripted->allAnswersUsed());
        scripted.reset();
        resetSession();
    }

    std::shared_ptr<CompanyDatabase> cdb() { return session().DBH->companyDatabase(); }

    // ---- the company file ----
    // A checked payer with everything a filing needs.
    static ComapnyInfo filingPayer(const std::string& name) {
        ComapnyInfo payer = firetest::payerIn("Illinois-IL");
        payer.setName(name);
        payer.setValidated(true);
        return payer;
    }
    int32_t addRecipient(int32_t payer, int32_t kind, const std::string& first, const std::string& surname,
                         const std::string& state, const std::function<void(RecipientInfo&)>& boxes = {}) {
        EFilePayee p = firetest::payee(kind, first, surname, state);
        p.recipient.setCompany_FK(payer);
        p.recipient.setValidated(true);
        p.additional.setCompany_FK(payer);
        p.additional.setValidated(true);
        if (boxes) boxes(p.recipient);
        EXPECT_TRUE(cdb()->insertRecipientInfo(p.recipient, p.additional));
        return p.recipient.getPK();
    }
    void select(std::vector<int32_t> payers, std::vector<int32_t> recipients) {
        session().numberSelections = static_cast<int64_t>(payers.size());
        session().comp_details->setSelectedCompanies(std::move(payers));
        std::vector<int32_t> kinds;
        for (int32_t key : recipients) kinds.push_back(cdb()->getRecipientInfo(key).getType());
        session().recp_details->setSelectedRecipients(std::move(recipients));
        session().recp_details->setSelectedType(std::move(kinds));
    }
    // A stored transmitter whose every field passes its check.
    void storeTransmitter(const std::function<void(E_FileInfo&)>& change = {}) {
        E_FileInfo t = firetest::transmitter(false);
        if (change) change(t);
        ASSERT_TRUE(cdb()->updateEFileInfo(t));
    }
    bool completed(int32_t key) {
        return cdb()->db->intForQuery("select completed from recipients where pk = " + std::to_string(key)) == 1;
    }
    std::vector<std::string> folderFiles() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string read(const std::string& path) {
        std::string bytes;
        EXPECT_TRUE(platform::readFile(path, bytes)) << path;
        return bytes;
    }

    // ---- the window ----
    EFileFrameController* open() {
        window = std::make_unique<EFileFrameController>(main.get());
        window->show();
        return window.get();
    }
    template <class T = QWidget>
    T* get(const char* name) {
        return uitest::child<T>(window.get(), name);
    }
    QLineEdit* field(const char* name) { return get<QLineEdit>(name); }

    static void keystrokes(QLineEdit* edit, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &release);
        }
    }
    static void retype(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(edit, &del);
        keystrokes(edit, text);
    }
    static void typeAtEnd(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->end(false);
        keystrokes(edit, text);
    }
    static void pasteAtEnd(QLineEdit* edit, const QString& text) {
        QApplication::clipboard()->setText(text);
        edit->setFocus();
        edit->end(false);
        edit->paste();
    }
    static void press(QWidget* target, Qt::Key k) {
        QKeyEvent event(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    static void choose(QComboBox* box, const QString& title) {
        const int index = box->findText(title);
        ASSERT_GE(index, 0) << title.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static bool isInvalid(QWidget* w) { return w->property("invalid").toBool(); }


    // The save panels of a creation: each is answered with the next path (an empty one
    // cancels), and the name each proposed is kept.
    struct SavePanels {
        std::vector<std::string> answers;
        std::vector<std::string> proposed = {};
        std::vector<std::string> titles = {};
    };
    std::unique_ptr<ScopedModalResponder> answerSavePanels(SavePanels& panels) {
        return std::make_unique<ScopedModalResponder>([&panels](QWidget& w) {
            if (w.objectName() != QLatin1String(kSaveChooserName)) {
                ADD_FAILURE() << "unexpected window " << w.objectName().toStdString();
                stopModal(&w, 0);
                return;
            }
            auto* dialog = qobject_cast<QFileDialog*>(&w);
            const QStringList files = dialog->selectedFiles();
            panels.proposed.push_back(files.isEmpty() ? std::string() : QFileInfo(files.first()).fileName().toStdString());
            panels.titles.push_back(dialog->windowTitle().toStdString());
            const std::size_t n = panels.proposed.size() - 1;
            if (n < panels.answers.size() && !panels.answers[n].empty())
                answerFileChooser(w, panels.answers[n]);
            else
                cancelFileChooser(w);
        });
    }

    // What the writers make of the same selection and stored transmitter, for comparing.
    std::string federalFile() {
        const std::string path = home.file("expected-federal.txt");
        EFile writer;
        const EFileResult result = writer.Populate(cdb()->getEFileInfo(1), path);
        EXPECT_TRUE(result.ok()) << result.message;
        return read(path);
    }

    TempHome home;
    std::unique_ptr<ScriptedUserInterface> scripted;
    std::unique_ptr<AppDelegate> main;
    std::unique_ptr<EFileFrameController> window;
    std::string folder;
};
