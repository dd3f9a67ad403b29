#include "core/foundation/tvDatabase.h"

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/databaseInfo.h"
#include "platform/FileSystem.h"

#include <unicode/utf8.h>

namespace {

MessageBoxRequest makeRequest(const std::string& caption, const std::string& details, int32_t style,
                              const std::string& title, int32_t image, bool flag) {
    MessageBoxRequest r;
    r.caption = caption;
    r.details = details;
    r.style = style;
    r.title = title;
    r.image = image;
    r.flag = flag;
    return r;
}

// ---- scrambling ----

const char kScrambleKey[] = "lunPorTiSelvaz?";
constexpr std::size_t kScrambleKeyLength = 15;

uint8_t keyByte(std::size_t position) {
    return static_cast<uint8_t>(kScrambleKey[position % kScrambleKeyLength]) & 0x78;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower case and other characters are not the stored form
}

// Bytes that are not UTF-8 are taken one character per byte, so every stored text
// decrypts to some text.
std::string bytesToText(const std::string& bytes) {
    const auto* s = reinterpret_cast<const uint8_t*>(bytes.data());
    int32_t length = static_cast<int32_t>(bytes.size());
    bool valid = true;
    for (int32_t i = 0; i < length && valid;) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        valid = c >= 0;
    }
    if (valid) return bytes;
    std::string out;
    for (uint8_t b : bytes) {
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

constexpr uint64_t kLongMask = 0x5A3C96E1u;
constexpr uint64_t kLongOffset = 7354129;

}  // namespace

// ---- message boxes ----

int32_t tvDatabase::tvMessageBox(const std::string& caption, const std::string& details, int32_t style,
                                 const std::string& title, int32_t image, bool flag) {
    return userInterface().messageBox(makeRequest(caption, details, style, title, image, flag)).code;
}

int32_t tvDatabase::tvMessageBox_1(const std::string& caption, const std::string& details, bool* doNotShow,
                                   const void* /*unused*/, int32_t style, const std::string& title, int32_t image,
                                   bool hideLink, bool flag) {
    MessageBoxRequest r = makeRequest(caption, details, style, title, image, flag);
    r.variant = MessageBoxRequest::Variant::CheckBox;
    r.checkBoxState = doNotShow && *doNotShow;
    r.hideLink = hideLink;
    MessageBoxResult result = userInterface().messageBox(r);
    if (doNotShow) *doNotShow = result.doNotShowAgain;
    return result.code;
}

int32_t tvDatabase::tvMessageBox_2(const std::string& caption, const std::string& details, int32_t style,
                                   const std::string& title, int32_t image, const std::string& button3Title,
                                   const std::string& button2Title, bool flag, bool showPatchLink) {
    MessageBoxRequest r = makeRequest(caption, details, style, title, image, flag);
    r.variant = MessageBoxRequest::Variant::NamedButtons;
    r.button3Title = button3Title;
    r.button2Title = button2Title;
    r.showPatchLink = showPatchLink;
    if (showPatchLink) {
        r.linkTitle = "1099 Patch Page";
        r.linkAddress = kPatchPageAddress;
    }
    int32_t code = userInterface().messageBox(r).code;
    userInterface().refreshMainWindow();
    return code;
}

void tvDatabase::NewMessageDialog(const std::string& caption, const std::string& details, int32_t style,
                                  const std::string& title, int32_t image, bool flag) {
    tvMessageBox(caption, details, style, title, image, flag);
}

std::string tvDatabase::databaseHelpText(const std::string& lead) {
    std::string text;
    if (!lead.empty()) text = lead + "\n\n";
    text +=
        "TALVEXA 1099 COMPANY DATABASES:\n\n"
        "    A company database is a self-contained file that holds all of the information of its "
        "companies: payers, recipients, transmitter information, print formats and user accounts. "
        "A company database may be saved on a local hard drive, on an external drive or on a shared "
        "network drive, but it must not be used by more than one user at the same time.\n\n"
        "    Several companies may share one company database, or each company may have a database of "
        "its own. When databases are kept in a shared network folder, one database per company is "
        "recommended. Please keep in mind:\n\n"
        "- Backups are made and restored for a whole database, with all of its companies.\n"
        "- A new year is started for all companies of a database together.\n\n"
        "TALVEXA DIRECTORY:\n\n"
        "    Wherever a company database is saved, Talvexa 1099 makes a folder named 'Talvexa'. It "
        "organizes the database files by year, with sub-folders for backups and reports. Please do not "
        "change, move or rename anything in this folder outside of Talvexa 1099.\n\n"
        " DATABASE MANAGER:\n\n"
        "    The Database Manager offers these commands:\n\n"
        "- Add Database to List: adds an existing company database file to the list of databases.\n"
        "- Locate Database: shown instead of 'Add Database to List' for a listed database that cannot be "
        "found; lets you point to the file where it is now.\n"
        "- Find Databases: searches a folder for company database files and lists them.\n"
        "- Rename Database: renames the list entry and the database file.\n"
        "- Move Database: moves the database file to another folder, making a folder 'Talvexa' at the "
        "destination when needed.\n\n"
        "    Companies are moved from one database to another with 'Open Company' and 'Move Company'.\n\n"
        "    A new year for an existing database is started by closing the Database Manager and choosing '";
    text += " Import Prior Year' from the 'File' menu.";
    return text;
}

int32_t tvDatabase::ShowDatabaseHelp(const std::string& lead, const std::string& title, const std::string& caption) {
    std::string shownCaption = caption.empty() ? std::string("Important Database Information") : caption;
    return tvMessageBox(shownCaption, databaseHelpText(lead), kMessageStyleOK, title, kMessageImageMessage, true);
}

// ---- configuration-setup window ----

databaseInfo tvDatabase::CreateDatabaseBox() {
    databaseInfo created;
    const int code = userInterface().createDatabase(created);
    if (code == kCreateDatabaseCreatedCode || code == kCreateDatabaseCreatedAltCode) return created;
    return databaseInfo();
}

std::string tvDatabase::ConfigurationSetup_Box(TalvexaDir* dir, bool* done) {
    std::string selected;
    int code = userInterface().configurationSetup(dir, selected);
    if (code == 1234) {
        if (done) *done = true;
        return selected;
    }
    if (code == 1000) {
        tvMessageBox("Unable to use selected directory.",
                     std::string("You do not have Read & Write permissions for the selected directory. ") +
                         "Please choose a different directory or have a system administrator provide you with "
                         "Read & Write access for " +
                         "the following directory:\n\n    " + selected,
                     kMessageStyleYesNo, "", kMessageImageError, false);
    }
    return "";
}

// ---- scrambling ----

std::string tvDatabase::Encrypt(const std::string& plain) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(plain.size() * 2);
    // Every UTF-8 byte is scrambled, so text outside ASCII survives the round trip.
    for (std::size_t i = 0; i < plain.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(plain[i]) ^ keyByte(i);
        out.push_back(kHex[b >> 4]);
        out.push_back(kHex[b & 0x0F]);
    }
    return out;
}

std::string tvDatabase::Decrypt(const std::string& hex) {
    if (hex.size() < 2) return "";
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        int hi = hexDigit(hex[i]);
        int lo = hexDigit(hex[i + 1]);
        uint8_t v = (hi < 0 || lo < 0) ? 255 : static_cast<uint8_t>(hi * 16 + lo);
        bytes.push_back(static_cast<char>(v ^ keyByte(i / 2)));
    }
    return bytesToText(bytes);
}

int64_t tvDatabase::Encrypt_long(int64_t value) {
    return static_cast<int64_t>((static_cast<uint64_t>(value) ^ kLongMask) + kLongOffset);
}

int64_t tvDatabase::Decrypt_long(int64_t value) {
    return static_cast<int64_t>((static_cast<uint64_t>(value) - kLongOffset) ^ kLongMask);
}

// ---- file access ----

std::string tvDatabase::accessAdviceText(const std::string& path, const std::string& leadIn) {
    std::string text;
    if (!leadIn.empty()) text = leadIn + "\n\n";
    text +=
        "To resolve this issue, please have a system administrator provide you with Read & Write access for "
        "the following directory and all of its contents:\n\n    ";
    text += platform::folderOf(path);
    text += "\n\nand the following file:\n\n    ";
    text += path;
    return text;
}

bool tvDatabase::CanAccessFile(const std::string& path, bool showMessage, const std::string& headline,
                               const std::string& leadIn) {
    if (!platform::fileExists(path)) return CanCreateFile(path, showMessage, headline, leadIn);
    // SQLite creates its journal beside the file, so a file in a folder that takes no
    // new files opens but fails at its first write.
    bool ok = platform::isReadable(path) && platform::isWritable(path) &&
              platform::isWritable(platform::folderOf(path));
    if (!ok && showMessage && !headline.empty()) {
        std::string advice = accessAdviceText(path, leadIn);
        tvMessageBox(advice, headline, kMessageStyleOK, advice, kMessageImageError, false);
    }
    return ok;
}

bool tvDatabase::CanCreateFile(const std::string& path, bool showMessage, const std::string& headline,
                               const std::string& leadIn) {
    if (platform::fileExists(path)) return CanAccessFile(path, showMessage, headline, leadIn);
    return true;
}
