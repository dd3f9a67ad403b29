#pragma once

#include <QString>

class QLineEdit;

// The typing limit of a text field, for its textEdited signal (never textChanged, which
// the program's own changes fire too). A keystroke or paste that makes the text longer
// than `maximum` characters (code points) is undone: `previous`, the text before it, is
// put back, with the cursor where the change began, and the result is false. Otherwise
// `previous` becomes the new text and the result is true. A text that is already longer
// (stored so) may still be shortened. A maximum of 0 or less is no limit.
//
// The caller keeps `previous` per field and sets it whenever the program itself puts
// a text into the field.
bool clampTyping(QLineEdit* edit, const QString& text, QString& previous, int maximum);
