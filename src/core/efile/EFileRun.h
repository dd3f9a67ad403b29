#pragma once

// The steps that the federal e-file and the state file share around their gathering:
// the output written through a streamed atomic writer, the completion marks kept in
// one transaction that is committed only with the finished file, and the file renamed
// into place only after the marks are stored.

#include <functional>
#include <string>

#include "core/efile/EFile.h"

class FMDatabase;

namespace efilerun {

EFileResult failed(EFileResult::Failure failure, std::string message);

struct Steps {
    // Reads what the file needs; false with failure() set when it cannot.
    std::function<bool()> read;
    // Writes the whole file to the output.
    std::function<EFileResult(const EFile::Output& output)> write;
    // Marks the run's recipients completed; false with failure() set when it cannot.
    std::function<bool()> mark;
    // The reason of the last read or mark that failed (empty when none did).
    std::function<std::string()> failure;
};

// Runs the steps into the file at outputPath; marks only when mark is set.
EFileResult toFile(FMDatabase& db, const std::string& outputPath, bool mark, const Steps& steps);

}  // namespace efilerun
