#pragma once

#include <QString>

// The form-kind switches: six settings of the user's own (keys "MISC", "DIV", "INT",
// "R", "S" and "NEC") that choose which form kind the form-kind dialog starts on. The
// program only reads them; a user sets them by editing the settings file. Absent keys
// read as off.
struct FormKindSwitches {
    bool MISC = false;
    bool DIV = false;
    bool INT = false;
    bool R = false;
    bool S = false;
    bool NEC = false;
};

// The settings file: "Talvexa/Talvexa 1099.conf" in the user's configuration folder
// ($XDG_CONFIG_HOME, default ~/.config), read afresh each time.
QString userSettingsFile();

FormKindSwitches readFormKindSwitches();
