#pragma once

#include <string>

class QPainter;

// Draws the picture of a form printed four to a sheet behind its fields: the form's
// table of boxes as vector outlines with their numbers and captions, four times at the
// copies' places, each copy with the form's name, its year and the copy's title. The
// painter is scaled to points; the picture is drawn in page coordinates.
//
// An unknown picture name writes "Error: PDF not found." to the system log and draws
// nothing, so the sheet prints without a background.
class FourUpFormPainter {
public:
    // True when the picture was drawn.
    static bool paint(const std::string& pictureName, QPainter& painter);
};
