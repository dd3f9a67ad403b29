// Form page composition: placing one text of a form on the sheet being composed, and
// collecting full sheets into the run's sheets.

#include <memory>

#include "core/foundation/JobMeter.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/Utils.h"
#include "core/print/Report.h"

namespace {

// The layouts place a field 5 hundredths left of and 2 below its point, unless the
// drawing asks for the exact point.
constexpr int32_t kShiftLeft = 5;
constexpr int32_t kShiftDown = 2;
// A field's height per layout line, in points.
constexpr int32_t kLineHeight = 20;
// Layout units (hundredths of an inch) per inch, and points per inch.
constexpr int32_t kPoints = 72;

}  // namespace

void Report::LoadTextView() { theTextView = Sheet{}; }

void Report::LocateSubview(const std::string& text, const WX_FMTVAL& entry, bool exact) {
    if (entry.noprint() != 0) return;
    int32_t x = exact ? entry.pt().x : entry.pt().x - kShiftLeft;
    int32_t y = exact ? entry.pt().y : entry.pt().y + kShiftDown;
    x += xOffset > 0 ? xOffset : 0;
    y += yOffset > 0 ? yOffset : 0;
    PlacedText placed;
    placed.text = text;
    placed.x = Utils::PixVal(x, kPoints);
    placed.y = Utils::PixVal(y, kPoints);
    placed.width = static_cast<int32_t>(Utils::characterCount(text)) + entry.width();
    placed.height = entry.height() * kLineHeight;
    theTextView.texts.push_back(std::move(placed));
}

void Report::MultiplePrintPages() { sheets.add(theTextView); }

PrintResult Report::printSheets() {
    PrintJob job;
    job.title = kFormJobTitle;
    job.sheets = std::make_shared<const SheetModel>(std::move(sheets));
    sheets = SheetModel();
    return userInterface().print(job);
}

void Report::meterStep(const std::string& text, std::size_t total) {
    if (meter) meter->step(text, static_cast<int64_t>(total));
}

bool Report::meterCancelled(std::size_t done) { return meter && meter->advance(static_cast<int64_t>(done)); }

void Report::meterCommit() {
    if (!meter) return;
    meter->commitPoint();
    meter->finish();
}
