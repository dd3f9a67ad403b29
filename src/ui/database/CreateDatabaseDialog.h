#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "core/foundation/UserInterface.h"
#include "core/foundation/databaseInfo.h"

namespace Ui {
class CreateDatabaseDialog;
}

// Makes a new, empty company database file and lists it. The user names the database
// and may choose a folder; the dialog shows the year and the path of the file it will
// make, and keeps that path up to date while the name is typed.
//
// Run it through runModal. It ends with kCreatedCode after an attempt to make the
// file (GetDatabaseInfo() is then the listed database, or empty when the file could
// not be made), kCancelCode for Cancel and kCloseBoxCode for the close box and Escape.
// A refused name, an existing file or a folder that cannot be made keep it open.
class CreateDatabaseDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kCreatedCode = kCreateDatabaseCreatedCode;
    static constexpr int kCancelCode = kCreateDatabaseCancelCode;
    static constexpr int kCloseBoxCode = kCreateDatabaseCloseBoxCode;

    explicit CreateDatabaseDialog(QWidget* parent = nullptr);
    ~CreateDatabaseDialog() override;

    const databaseInfo& GetDatabaseInfo() const { return dbInfo; }
    // The year folder in which the file will be made, ending in "/".
    const std::string& folder() const { return dir; }

public slots:
    void Create_DB();
    void Cancel_CreateDB();
    void Choose_Dir();
    // The name field's action (Return, or leaving the field).
    void Comp_Name_M();
    // The close box and Escape.
    void reject() override;

private:
    void windowDidLoad();
    void nameEdited();
    void showPath(const QString& name);
    void end(int code);

    std::unique_ptr<Ui::CreateDatabaseDialog> ui_;
    std::string dir;
    bool useUnderscores = false;
    databaseInfo dbInfo;
};
