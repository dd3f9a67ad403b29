#pragma once

// A window layer for benchmarks that answers every window with its affirmative
// button at once, so a run measures the work and not a person.

#include <optional>
#include <string>
#include <vector>

#include "core/foundation/UserInterface.h"

namespace bench {

class AnsweringUserInterface : public UserInterface {
public:
    MessageBoxResult messageBox(const MessageBoxRequest&) override { return MessageBoxResult{2, false}; }
    bool formErrors(const std::vector<std::string>&) override { return true; }
    int welcome() override { return 1111; }
    int configurationSetup(TalvexaDir*, std::string&) override { return 2000; }
    int printPreview(const std::string&) override { return 1234; }
    int createDatabase(databaseInfo&) override { return 1000; }
    void refreshMainWindow() override {}
    int alert(const AlertRequest&) override { return kAlertFirstButtonCode; }
    std::optional<std::string> chooseOpenFile(const OpenFileRequest&) override { return std::nullopt; }
    int importErrors(const std::vector<std::string>&) override { return kImportErrorsOKCode; }
    int importConflicts(const std::vector<std::string>&, std::vector<int>& chosenRows) override {
        chosenRows.clear();
        return kImportConflictsOKCode;
    }
    bool closeDatabase(bool, bool) override { return true; }
    bool openRecentDatabase() override { return false; }
    PrintResult print(const PrintJob&) override { return PrintResult::printed; }
    std::optional<std::string> chooseFolder(const FolderRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const SaveFileRequest&) override { return std::nullopt; }
    int cloudBackupEnrolment() override { return kCloudBackupContinueCode; }
};

}  // namespace bench
