#pragma once

#include <string>

#include <QByteArray>
#include <QFont>

class QPainter;
class QPagedPaintDevice;
class QWidget;
class SheetModel;
struct PrintJob;

// Paints the sheets of a form print run, one letter page per sheet, in points from
// the page's top left corner with no margins and no scaling, so every text stands
// where its frame says and lands on the pre-printed form.
//
// Each text is drawn on one line in the form font (Arial at 8 points, painted with
// Liberation Sans, which has the same metrics), left- and top-aligned, and cut at its
// frame's edges. It starts kInsetX points right of and kInsetY points below the
// frame's corner: a borderless text field draws its text that far in from its edge,
// and the layouts were measured with it.
//
// A sheet's background (the form picture of the four-up forms) is drawn first, behind
// the texts, by FourUpFormPainter.
class SheetPainter {
public:
    static constexpr double kInsetX = 2.0;
    static constexpr double kInsetY = 1.0;
    static constexpr const char* kPaintedFamily = "Liberation Sans";

    // The form font for a device of the given resolution, sized so that a painter
    // scaled to points (resolution / 72) draws it at 8 points.
    static QFont formFont(int deviceDpi);

    // Paints sheets first to last (from 0) on the device, a new page before each but the
    // first; the painter is begun on the device and not scaled. False with the reason
    // when the device refuses a page.
    static bool paint(const SheetModel& sheets, int first, int last, QPainter& painter, QPagedPaintDevice& device,
                      std::string& reason);

    // The sheets as a PDF document: letter pages, margins 0, 72 units to the inch, the
    // document titled by the job. Empty with the reason when it cannot be made.
    static QByteArray pdf(const SheetModel& sheets, const std::string& title, std::string& reason);

    // The print dialog on the program's printer, then the sheets the user chose on it,
    // full page, letter, portrait, the document named by the job; the page setup's own
    // choices are restored afterwards. A job without sheets shows the dialog and prints
    // nothing. True when printed; false when cancelled, or with the reason when the
    // printer failed.
    static bool print(QWidget* parent, const PrintJob& job, std::string& reason);
};
