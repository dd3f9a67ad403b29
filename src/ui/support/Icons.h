#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own icons (resources/icons). Each is drawn at 128 × 128 pixels.
enum class IconKind {
    Message,   // information: the message box's message icon
    Error,     // the message box's error icon
    Prompt,    // the message box's question icon
    Plain,     // the program's mark, for boxes of no particular kind
    Info,      // "talvexa_info_64_mac.png": the mark with an information badge
};

QPixmap talvexaIcon(IconKind kind);

// The program's icon for title bars and the task switcher: its mark.
QIcon talvexaApplicationIcon();
