#pragma once

#include <memory>
#include <string>

#include "core/zip/ZipSupport.h"

// What a ZipArchive tells its owner and asks it. Both methods may be left as they are:
// messages then go nowhere and every existing file may be overwritten.
class ZipArchiveDelegate {
public:
    virtual ~ZipArchiveDelegate() = default;
    virtual void ErrorMessage(const std::string& /*text*/) {}
    // Whether the existing file at path may be replaced.
    virtual bool OverWriteOperation(const std::string& /*path*/) { return true; }
};

// Whole archives at once: making one from files, or unzipping every entry of one into
// a folder. Nothing here throws; each operation answers whether it worked and passes
// its messages to the delegate.
//
// Unzipping checks every entry name before it writes anything: a name that is
// absolute, starts with a drive ("C:"), has a ".." part or leads through a symbolic
// link inside the folder is refused, and then nothing of the archive is written. Each
// file is written under a temporary name and put in place once its entry has been read
// whole and its CRC-32 matched, so a damaged entry leaves no partial file.
class ZipArchive {
public:
    ZipArchive() = default;
    // Closes an archive that is still open.
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // ---- making an archive ----
    bool CreateZipFile2(const std::string& path);
    bool CreateZipFile2(const std::string& path, const std::string& password);
    // Adds the whole file as one deflated entry at the default level, dated with the
    // file's modification time. False with a password: entries are never encrypted.
    bool addFileToZip(const std::string& file, const std::string& newname);
    bool CloseZipFile2();

    // ---- unzipping ----
    bool UnzipOpenFile(const std::string& path);
    bool UnzipOpenFile(const std::string& path, const std::string& password);
    // Writes every entry under folder. An existing file is replaced when overWrite is
    // set or the delegate allows it. True when every entry was handled.
    bool UnzipFileTo(const std::string& folder, bool overWrite);
    // True when no archive was open or it closed.
    bool UnzipCloseFile();

    void OutputErrorMessage(const std::string& text);
    bool OverWrite(const std::string& path);
    static ZipDate Date1980();

    const std::shared_ptr<ZipArchiveDelegate>& delegate() const { return delegate_; }
    void setDelegate(std::shared_ptr<ZipArchiveDelegate> delegate) { delegate_ = std::move(delegate); }

private:
    bool namesAreSafe(const std::string& folder);
    bool unzipCurrentEntry(const std::string& folder, bool overWrite);

    zipFile zipFile_ = nullptr;
    unzFile unzFile_ = nullptr;
    std::string password_;
    std::shared_ptr<ZipArchiveDelegate> delegate_;
};
