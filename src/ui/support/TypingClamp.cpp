#include "ui/support/TypingClamp.h"

#include <algorithm>

#include <QLineEdit>

#include "core/foundation/Utils.h"

namespace {

std::size_t characters(const QString& text) { return Utils::characterCount(text.toStdString()); }

}  // namespace

bool clampTyping(QLineEdit* edit, const QString& text, QString& previous, int maximum) {
    const std::size_t length = characters(text);
    if (maximum > 0 && length > static_cast<std::size_t>(maximum) && length > characters(previous)) {
        const int cursor = edit->cursorPosition() - static_cast<int>(text.size() - previous.size());
        edit->setText(previous);
        edit->setCursorPosition(std::max(0, cursor));
        return false;
    }
    previous = text;
    return true;
}
