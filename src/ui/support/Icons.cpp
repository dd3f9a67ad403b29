#include "ui/support/Icons.h"

#include <QString>

// The resource file is compiled into a static library; the linker keeps it only when
// something refers to it, so the first icon request registers it explicitly.
static void registerIconResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)done;
}

QPixmap talvexaIcon(IconKind kind) {
    registerIconResources();
    switch (kind) {
    case IconKind::Message: return QPixmap(QStringLiteral(":/icons/message_icon.png"));
    case IconKind::Error: return QPixmap(QStringLiteral(":/icons/error_icon.png"));
    case IconKind::Prompt: return QPixmap(QStringLiteral(":/icons/prompt_icon.png"));
    case IconKind::Plain: return QPixmap(QStringLiteral(":/icons/plain_icon.png"));
    case IconKind::Info: return QPixmap(QStringLiteral(":/icons/talvexa_info_64_mac.png"));
    }
    return {};
}

QIcon talvexaApplicationIcon() {
    QIcon icon;
    const QPixmap mark = talvexaIcon(IconKind::Plain);
    // Window managers pick the size they draw; small sizes scaled here stay sharp.
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(mark.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    icon.addPixmap(mark);
    return icon;
}
