#pragma once

#include <string>

#include <QByteArray>
#include <QFont>
#include <QPageLayout>

class AtomicFileDevice;
class QIODevice;
class QPainter;
class QPagedPaintDevice;
class SheetModel;

// Paints the sheets of a form print run, one letter page per sheet, in points from
// the page's top left corner with no margins and no scaling, so every text stands
// where its frame says and lands on the pre-printed form.
//
// Each text is drawn in the form font (Arial, painted with Liberation Sans, which has
// the same metrics) at its size, 8 points unless set smaller, left- and top-aligned,
// on one line or on the lines it was broken into, and cut at its frame's edges. It
// starts SheetModel::kInsetX points right of and SheetModel::kInsetY points below the
// frame's corner, where the sheets were composed to have it.
//
// A sheet's background (the form picture of the four-up forms) is drawn first, behind
// the texts, by FourUpFormPainter.
class SheetPainter {
public:
    static constexpr const char* kPaintedFamily = "Liberation Sans";

    // The form font for a device of the given resolution, sized so that a painter
    // scaled to points (resolution / 72) draws it at `size` points.
    static QFont formFont(int deviceDpi, double size = 8.0);

    // Paints sheets first to last (from 0) on the device, a new page before each but the
    // first; the painter is begun on the device and not scaled. False with the reason
    // when the device refuses a page. When the device writes into a file, that file is
    // checked before each sheet: once it could not take what went before, no further
    // sheet is painted and its reason is the reason.
    static bool paint(const SheetModel& sheets, int first, int last, QPainter& painter, QPagedPaintDevice& device,
                      std::string& reason, AtomicFileDevice* file = nullptr);

    // The sheets as a PDF document: letter pages, margins 0, 72 units to the inch, the
    // document titled by the job. Empty with the reason when it cannot be made.
    static QByteArray pdf(const SheetModel& sheets, const std::string& title, std::string& reason);
    // The same of the sheets first to last (from 0) only, written into the file as they
    // are painted (the file is committed by the caller). False with the reason when a
    // sheet cannot be painted or the file cannot take it; the sheets after it are not
    // painted.
    static bool pdf(const SheetModel& sheets, int first, int last, const std::string& title, AtomicFileDevice& file,
                    std::string& reason);

    // Letter paper, portrait, no margins, in points: the page of every sheet.
    static QPageLayout letterPortrait();
};
