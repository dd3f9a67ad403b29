#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// Downloads one address to one file, synchronously.
class data {
public:
    // The last three arguments are not consulted. True when the destination file exists
    // afterwards. Only the whole body of a 2xx answer counts: any other answer, a body
    // cut short, a time-out or a connection that fails leaves no file (and an existing
    // file at the destination as it was); an empty body makes an empty file.
    bool DownloadFile(const std::string& url, const std::string& destinationPath, int32_t, int32_t, int32_t);

    // The destination of the current download.
    const std::string& destination() const { return destination_; }

    // The longest a whole download may take (10000 s unless set; tests use a few).
    static std::chrono::seconds timeout();
    static void setTimeout(std::chrono::seconds limit);

private:
    std::string destination_;
};
