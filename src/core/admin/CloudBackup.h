#pragma once

#include <string>

// The cloud backup service: the program keeps the user's enrolment (switch, e-mail
// address, customer number) in the year's configuration database and hands backups
// and download requests to the service's portal in the web browser. It sends nothing
// itself.
namespace cloudbackup {

// Field limits of the enrolment dialog, in characters.
inline constexpr int kEmailLimit = 50;
inline constexpr int kCustomerNumberLimit = 20;

// The product text whose digest an upload carries.
inline constexpr const char kUploadProductText[] = "1099 E-File";
// The window title of the enrolment's messages, and of the backup's.
inline constexpr const char kCloudTitle[] = "Talvexa 1099 Cloud Backup";
inline constexpr const char kProgramTitle[] = "Talvexa 1099 E-File 2025";

// The addresses handed to the browser. Their pairs are joined with "&&" and the e-mail
// address stands as stored; the other values are SHA-256 digests in lower-case
// hexadecimal. The upload names the file by the name the save panel proposed.
std::string uploadAddress(const std::string& email, const std::string& customerNumber,
                          const std::string& proposedFileName);
std::string downloadAddress(const std::string& email, const std::string& customerNumber);

// Continue in the enrolment dialog. With the switch off it tells about the service and
// stores nothing; with it on it checks the two fields, each refusal shown to the user,
// and stores the enrolment once they pass. True when the dialog ends (false: it stays
// open with the texts as typed).
bool continueEnrolment(bool switchOn, const std::string& email, const std::string& customerNumber);

// The switch turned off: a stored enrolment is deleted at once.
void switchOff();

// The stored enrolment, as the dialog shows it; false when switched off.
bool storedEnrolment(std::string& email, std::string& customerNumber);

// Opens a portal address in the web browser; when no browser can be started, shows the
// address so the user can open it by hand.
void openInBrowser(const std::string& address);

// "Connection Failed." for a backup or download without network.
void showConnectionFailed();

// The main window's download command: without network it says so; otherwise it opens
// the portal's download page for the stored enrolment (or for none).
void DownloadBackupfromcloud();

}  // namespace cloudbackup
