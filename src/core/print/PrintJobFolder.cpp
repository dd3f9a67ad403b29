#include "core/print/PrintJobFolder.h"

#include <filesystem>
#include <system_error>

#include "core/foundation/UserInterface.h"
#include "platform/AtomicFileWriter.h"

namespace {

// The number a job file's name starts with ("12-Title.pdf" gives 12), 0 for any other.
long jobNumber(const std::string& name) {
    std::size_t i = 0;
    long n = 0;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9' && n < 100000000) n = n * 10 + (name[i++] - '0');
    if (i == 0 || i >= name.size() || name[i] != '-') return 0;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".pdf") != 0) return 0;
    return n;
}

}  // namespace

std::optional<std::string> savePrintJob(const std::string& folder, const PrintJob& job, std::string& reason) {
    std::error_code error;
    long highest = 0;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const long n = jobNumber(it->path().filename().string());
        if (n > highest) highest = n;
    }
    if (error) {
        reason = "the folder \"" + folder + "\" cannot be read: " + error.message();
        return std::nullopt;
    }
    std::string title = job.title;
    for (char& c : title)
        if (c == '/' || c == '\0') c = '_';
    const std::string path = (std::filesystem::path(folder) / (std::to_string(highest + 1) + "-" + title + ".pdf")).string();
    platform::AtomicFileWriter writer(path);
    if (!writer.ok() || !writer.write(job.pdf) || !writer.commit()) {
        reason = writer.error();
        return std::nullopt;
    }
    return path;
}
