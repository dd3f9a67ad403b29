#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// Plain file and folder services. None throws; failures are reported by the result.
bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);
bool isReadable(const std::string& path);
bool isWritable(const std::string& path);
bool createDirectories(const std::string& path);   // true when the folder exists afterwards
bool removePath(const std::string& path);           // file or whole folder; true when gone afterwards
bool copyFile(const std::string& from, const std::string& to, bool overwrite = false);
bool movePath(const std::string& from, const std::string& to);
// Writes the whole text to a temporary name in the same folder, writes it out to the disk
// and renames it into place (AtomicFileWriter); error (when given) receives the reason of
// any failure, naming the file.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string* error = nullptr);
// The same for a file that is not there yet: it never takes the place of one. Fails,
// leaving that file as it is, when a file of that name exists or appears meanwhile;
// error (when given) receives the reason of any failure.
bool writeNewFile(const std::string& path, const std::string& contents, std::string* error = nullptr);
bool readFile(const std::string& path, std::string& contents);

// The folder that holds the item at path, by the text alone: "/a/b.db" -> "/a",
// "/b.db" -> "/". Trailing slashes name the same item ("/a/b/" -> "/a"). A path with no
// folder ("b.db", or the empty text) is resolved in the current folder, so its folder
// is ".", which every file service accepts.
std::string folderOf(const std::string& path);
// name in folder, with one "/" between them (folder without a closing "/", "/" itself
// included).
std::string joinedPath(const std::string& folder, const std::string& name);

// Work inside a folder opened once (so a link put in its place later leads nowhere else):
// the names in it, without "." and ".." (read through a descriptor of their own, from
// the start)...
std::vector<std::string> namesInFolder(int folderFd);
// ...and whether name in it is still the file open at fd (a link at name is not
// followed: it is never that file).
bool namesOpenFile(int folderFd, const std::string& name, int fd);

// Random lower-case hexadecimal digits, kRandomHexLength of them, and whether a text is
// such: the mark of names that no other program writes (a replacement's temporaries,
// the notes of unfinished writes).
inline constexpr std::size_t kRandomHexLength = 16;
std::string randomHexText();
bool isRandomHexText(const std::string& text);

}  // namespace platform
