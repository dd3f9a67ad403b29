#include "ui/records/FormKindSwitches.h"

#include <QSettings>

#include "platform/StandardPaths.h"

QString userSettingsFile() {
    return QString::fromStdString(platform::preferencesDir()) + QStringLiteral("/Talvexa/Talvexa 1099.conf");
}

FormKindSwitches readFormKindSwitches() {
    const QSettings settings(userSettingsFile(), QSettings::IniFormat);
    auto on = [&settings](const char* key) { return settings.value(QLatin1String(key), false).toBool(); };
    FormKindSwitches s;
    s.MISC = on("MISC");
    s.DIV = on("DIV");
    s.INT = on("INT");
    s.R = on("R");
    s.S = on("S");
    s.NEC = on("NEC");
    return s;
}
