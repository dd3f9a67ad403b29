// The main window's commands that hand work to windows of their own: record
// commands, company databases, printing, filing, import, administration and help.
// They are wired to their menu items and buttons; each does its work once its window
// exists, and until then does nothing.

#include "ui/main/AppDelegate.h"

// ---- company databases (opening and closing: AppDelegateDatabase.cpp) ----

void AppDelegate::CreateDatabase(QObject*) {}
bool AppDelegate::CreateDatabase() { return false; }

// ---- payers and recipients ----

void AppDelegate::NewCompany() {}
void AppDelegate::UpdateCompany() {}
void AppDelegate::DeleteCompanyButton() {}
void AppDelegate::NewRecipient() {}
void AppDelegate::UpdateRecipient_Action() {}
void AppDelegate::DeleteRecipient() {}
void AppDelegate::CopyRecipient() {}

// ---- printing and filing ----

void AppDelegate::PrintformsforRecipient() {}
void AppDelegate::PrintformsforFilling() {}
void AppDelegate::MailingLabels() {}
void AppDelegate::SummaryReport() {}
void AppDelegate::Editprintforms_Action() {}
void AppDelegate::EditPage_Action() {}
void AppDelegate::EFile() {}
void AppDelegate::IRIS_Action() {}

// ---- import and new year ----

void AppDelegate::Import() {}
void AppDelegate::ImportPriorYear() {}
void AppDelegate::ImportPriorYearBox() {}

// ---- administration and updates ----

void AppDelegate::Admin_Action() {}
void AppDelegate::BackupDatabse_Action() {}
void AppDelegate::RestoreDatabase_Action() {}
void AppDelegate::DownloadBackupfromcloud_Action() {}
void AppDelegate::CheckforUpdates() {}

// The update check; true when a patch installer has been started and the program must
// end. No update is found yet.
bool AppDelegate::CheckForLatestVersion(bool, bool) { return false; }

// ---- help documents ----

void AppDelegate::_1099_Manual() {}
void AppDelegate::Quick_StartGuid() {}
void AppDelegate::_1099_CloudBackup_Instr() {}
void AppDelegate::License_Agreement() {}
void AppDelegate::EFile_Requirements() {}
