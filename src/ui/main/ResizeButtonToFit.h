#pragma once

#include <QPushButton>

// A push button that takes the size of its title whenever the title is set through
// setStringValue, keeping its top-left corner where it was.
class ResizeButtonToFit : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    void setStringValue(const QString& text);
};
