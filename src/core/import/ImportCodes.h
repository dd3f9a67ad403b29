#pragma once

// The codes with which the import runs end the windows that started them. The import
// type dialog passes its window's code on; the main window refills its lists on
// kImportCompletedCode.

namespace imports {

// A run that completed.
inline constexpr int kImportCompletedCode = 1000;
// A run stopped before it wrote anything: a chooser or a list cancelled, an unreadable
// file, numbers repeated inside the file, a write that failed and was undone.
inline constexpr int kImportStoppedCode = 1234;
// The import cancelled in answer to a line without a name.
inline constexpr int kImportAbandonedCode = 1000;
// A payer file that repeats the company name of a listed database.
inline constexpr int kImportDuplicateCompanyCode = 123123;
// The windows' own Cancel and close box.
inline constexpr int kImportWindowCancelCode = 10000;
// The run ended without ending its window (the required column is missing).
inline constexpr int kImportWindowStaysOpen = 0;

}  // namespace imports
