#pragma once

// Installs the administration entries of the main window's hand-off table: the user
// accounts window, backup, restore and the cloud backup download.
void installAdminHandOffs();
