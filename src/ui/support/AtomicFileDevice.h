#pragma once

#include <string>

#include <QIODevice>

#include "platform/AtomicFileWriter.h"

// A device for Qt's writers (QPdfWriter, say) that puts a whole file at a path as the
// program puts every file (platform::AtomicFileWriter: a temporary beside it, noted where
// the folder is not the program's own, renamed into place by commit()), so that a long
// document goes to the disk as it is made instead of being held in memory first, and a
// write that fails keeps the system's reason. Qt's writers do not look at what their
// writes return: writtenOut() tells, after each page say, whether the file has taken
// everything so far.
class AtomicFileDevice : public QIODevice {
public:
    // Open for writing when the temporary file could be made (ok()).
    explicit AtomicFileDevice(const std::string& path);
    // A file that was not committed is given up: nothing is left beside the file there.
    ~AtomicFileDevice() override;
    AtomicFileDevice(const AtomicFileDevice&) = delete;
    AtomicFileDevice& operator=(const AtomicFileDevice&) = delete;

    bool ok() const { return out_.ok(); }
    // The first failure, naming the file and the system's reason.
    const std::string& error() const { return out_.error(); }
    // What was written so far handed to the file; false once the file refused a write.
    bool writtenOut();
    // The file written out and put in the place of one of that name; false with error()
    // when it could not be (the file there is then as it was).
    bool commit();

    // Written from start to end, never read or sought.
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 size) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    platform::AtomicFileWriter out_;
};
