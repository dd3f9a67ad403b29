#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QDialog>

#include "core/foundation/TalvexaDir.h"

namespace Ui {
class Configuration_Setup;
}

// Asks where the year's configuration directory shall live; proposes the Documents
// folder. Finish ends the run with kSetupUsableFolderCode when the base folder may be
// read and written, kSetupUnusableFolderCode when not; Cancel (also the close box and
// Escape) asks whether to leave the program, and ends the run with kSetupCancelledCode
// when the user stays. The codes are those of the window layer's interface
// (UserInterface.h), through which start-up runs this window.
class Configuration_Setup : public QDialog {
    Q_OBJECT

public:
    explicit Configuration_Setup(QWidget* parent = nullptr);
    ~Configuration_Setup() override;

    // The caller's directory, proposed when the window opens. A caller's directory at
    // the root "/" is emptied first.
    void SetTalvexaDir(TalvexaDir* dirObject);
    // The chosen base folder, ending in "/".
    std::string getTalvexaDir() const { return selectdir_; }

    const TalvexaDir& configDir1() const { return configDir1_; }
    const std::optional<TalvexaDir>& defaultDir() const { return defaultDir_; }
    const std::string& selectdir() const { return selectdir_; }

public slots:
    void Choose_Dir();
    void Defult();
    void Restore();
    void Default_Path();
    void Finish_sel();
    void Cancel_Setup();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void windowDidLoad();
    void showDir(const std::string& path);

    std::unique_ptr<Ui::Configuration_Setup> ui_;
    TalvexaDir configDir1_;
    std::optional<TalvexaDir> defaultDir_;
    TalvexaDir tempDir_;
    std::string selectdir_;
    bool loaded_ = false;
};
