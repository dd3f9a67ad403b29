#pragma once

#include <cstdint>
#include <string>

class TalvexaDir;
class databaseInfo;

// Stateless services shared by every part of the program: the standard message box
// and its variants, the database help, the configuration-setup window, the
// scrambling of stored identifiers and passwords, and the file access checks.
class tvDatabase {
public:
    // ---- message boxes ----
    // Each returns the code of what closed the box: 2 (Button3), 8 (Button1),
    // 16 (Button2) or 1000 (close box).

    // style: 4 OK, 20 OK/Cancel, 10 Yes/No, 26 Yes/No/Cancel, 2 Yes;
    // image: 0x100 message, 0x200 error, 0x400 prompt, 0x800 plain (no Print/Copy);
    // flag: Button2 is the default button.
    static int32_t tvMessageBox(const std::string& caption, const std::string& details, int32_t style,
                                const std::string& title, int32_t image, bool flag);

    // With the "do not show again" check box: *doNotShow gives its initial state and
    // receives its state when the box closed. `unused` is accepted and ignored.
    static int32_t tvMessageBox_1(const std::string& caption, const std::string& details, bool* doNotShow,
                                  const void* unused, int32_t style, const std::string& title, int32_t image,
                                  bool hideLink, bool flag);

    // With named buttons (button3Title is the affirmative one) and optionally the
    // link to the patch page. Brings the main window up to date afterwards.
    static int32_t tvMessageBox_2(const std::string& caption, const std::string& details, int32_t style,
                                  const std::string& title, int32_t image, const std::string& button3Title,
                                  const std::string& button2Title, bool flag, bool showPatchLink);

    // The standard box under another name; used where one failure is reported.
    static void NewMessageDialog(const std::string& caption, const std::string& details, int32_t style,
                                 const std::string& title, int32_t image, bool flag);

    // The explanation of company databases, the Talvexa folder and the database
    // manager, after an optional lead text.
    static int32_t ShowDatabaseHelp(const std::string& lead, const std::string& title, const std::string& caption);
    static std::string databaseHelpText(const std::string& lead);

    // ---- create-database window ----

    // Runs the create-database dialog; the new database's list entry when it made one,
    // else an empty entry.
    static databaseInfo CreateDatabaseBox();

    // ---- configuration-setup window ----

    // Runs the window for the caller's directory; returns the chosen base folder
    // (ending in "/") and sets *done when it may be read and written, else "".
    static std::string ConfigurationSetup_Box(TalvexaDir* dir, bool* done);

    // ---- scrambling of stored text ----

    // Upper-case hexadecimal, two digits for each UTF-8 byte of the plain text.
    static std::string Encrypt(const std::string& plain);
    static std::string Decrypt(const std::string& hex);
    static int64_t Encrypt_long(int64_t value);
    static int64_t Decrypt_long(int64_t value);

    // ---- file access ----

    // True when the existing item at path may be read and written and its folder may
    // take new files (SQLite's journal), or, when nothing is there, when it may be created. On false, with showMessage and a headline,
    // shows whom to ask for access.
    static bool CanAccessFile(const std::string& path, bool showMessage, const std::string& headline,
                              const std::string& leadIn);
    static bool CanCreateFile(const std::string& path, bool showMessage, const std::string& headline,
                              const std::string& leadIn);
    // The advice shown by the checks above.
    static std::string accessAdviceText(const std::string& path, const std::string& leadIn);

    static bool intToBool(int32_t value) { return value > 0; }
    static int32_t boolToInt(bool value) { return value ? 1 : 0; }
};

// The standard message box as most callers ask: Button3 is the default button unless
// flag says Button2. The one short way to ask the user for code that shows a box.
inline int32_t askUser(const std::string& caption, const std::string& details, int32_t style,
                       const std::string& title, int32_t image, bool flag = false) {
    return tvDatabase::tvMessageBox(caption, details, style, title, image, flag);
}
