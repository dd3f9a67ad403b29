#pragma once

#include <cstdint>

// The codes of the standard message box (tvDatabase::tvMessageBox and its variants):
// the style chooses the buttons, the image chooses the icon and the window title, and
// the answer tells which button closed the box.

// ---- style ----
// Bit 0x10 shows Button1 (Cancel) and bit 0x08 Button2 (No); Button3, the affirmative
// button, is always shown. The whole value also chooses the titles and the Return key.
inline constexpr int32_t kMessageStyleButton1Bit = 0x10;
inline constexpr int32_t kMessageStyleButton2Bit = 0x08;
inline constexpr int32_t kMessageStyleYes = 2;            // Yes
inline constexpr int32_t kMessageStyleOK = 4;             // OK
inline constexpr int32_t kMessageStyleYesNo = 10;         // Yes, No
inline constexpr int32_t kMessageStyleOKCancel = 20;      // OK, Cancel
inline constexpr int32_t kMessageStyleYesNoCancel = 26;   // Yes, No, Cancel

// ---- image ----
// Tested in this order; the kind's title fills only an empty window title.
inline constexpr int32_t kMessageImageMessage = 0x100;   // message icon, "Talvexa Message"
inline constexpr int32_t kMessageImageError = 0x200;     // error icon, "Talvexa Error"
inline constexpr int32_t kMessageImagePrompt = 0x400;    // prompt icon, "Talvexa Prompt"
inline constexpr int32_t kMessageImagePlain = 0x800;     // plain icon, "Talvexa Message", no Print or Copy
// A code with no kind bit, which start-up uses for a folder it cannot make: shown as
// kMessageImagePlain.
inline constexpr int32_t kMessageImageNoKind = 8;

// ---- answer: what closed the box ----
inline constexpr int32_t kMessageAnswerOkYes = 2;       // Button3: OK, Yes or the caller's title
inline constexpr int32_t kMessageAnswerCancel = 8;      // Button1: Cancel
inline constexpr int32_t kMessageAnswerNo = 16;         // Button2: No or the caller's title
inline constexpr int32_t kMessageAnswerCloseBox = 1000; // the close box, or Escape in a box without Cancel
