#include "ui/admin/AdminHandOffs.h"

#include "core/admin/CloudBackup.h"
#include "core/admin/DatabaseBackup.h"
#include "core/foundation/Session.h"
#include "ui/admin/AdminDialog.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/HandOffs.h"
#include "ui/support/ModalLoop.h"

namespace {

void runAccounts(QWidget* parent) {
    AdminDialog window(parent);
    runModal(&window);
}

void backup(QWidget*) {
    DatabaseBackup flow;
    if (flow.OnBackup() != DatabaseBackup::BackupResult::panelCancelled || !company_Refer) return;
    const Session& s = session();
    company_Refer->UpdateCompanyButtons(static_cast<int32_t>(s.numberSelections));
    company_Refer->UpdateRecipientButtons(static_cast<int32_t>(s.numberSelectionsrec));
}

void restore(QWidget*) {
    DatabaseBackup flow;
    if (flow.RestoreDatabase() != DatabaseBackup::RestoreResult::mustEnd) return;
    if (company_Refer) company_Refer->applicationWillTerminate();
    exitProcess(1);
}

void download(QWidget*) { cloudbackup::DownloadBackupfromcloud(); }

}  // namespace

void installAdminHandOffs() {
    HandOffs& h = handOffs();
    h.runAccountDialog = &runAccounts;
    h.backup = &backup;
    h.restore = &restore;
    h.cloudDownload = &download;
}
