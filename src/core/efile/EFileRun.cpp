#include "core/efile/EFileRun.h"

#include <string_view>
#include <utility>

#include "core/foundation/JobMeter.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/OnePassCache.h"
#include "platform/AtomicFileWriter.h"

namespace efilerun {

EFileResult failed(EFileResult::Failure failure, std::string message) {
    EFileResult result;
    result.failure = failure;
    result.message = std::move(message);
    return result;
}

EFileResult toFile(FMDatabase& db, const std::string& outputPath, bool mark, const Steps& steps) {
    platform::AtomicFileWriter out(outputPath);
    if (!out.ok()) return failed(EFileResult::Failure::output, out.error());

    // The gathering reads each recipient once: its pages need not stay cached.
    OnePassCache cache(db);
    // The reads and the marks share one write: the marks are stored together with the
    // finished file or not at all. Leaving this scope without commit() rolls them back.
    WriteGuard guard(db);
    if (!guard.began())
        return failed(EFileResult::Failure::database, "The recipients could not be read: " + guard.error());

    EFileResult result;
    JobMeter meter("E-File", true);
    meter.step("Reading the recipients");
    if (!steps.read()) {
        result = failed(EFileResult::Failure::database, steps.failure());
    } else {
        meter.step("Writing the records");
        int64_t records = 0;
        const EFile::Output output = [&](std::string_view record) {
            meter.advance(++records);
            return out.write(record);
        };
        result = steps.write(output);
        if (!steps.failure().empty())
            result = failed(EFileResult::Failure::database, steps.failure());
        else if (result.failure == EFileResult::Failure::output)
            result.message = out.error();
    }
    if (result.ok() && meter.cancelled()) result = failed(EFileResult::Failure::cancelled, "");
    meter.commitPoint();
    // The marks rewrite every page of the run's rows once.
    if (result.ok() && mark) cache.widenForWrites();
    if (result.ok() && mark && !steps.mark()) result = failed(EFileResult::Failure::database, steps.failure());
    if (result.ok() && !out.finish()) result = failed(EFileResult::Failure::output, out.error());

    if (!result.ok()) {
        out.abandon();
        return result;
    }
    if (!guard.commit()) {
        out.abandon();
        return failed(EFileResult::Failure::database, "The recipients could not be marked completed: " + guard.error());
    }
    // The marks are committed; only the rename is left.
    if (!out.commit()) return failed(EFileResult::Failure::output, out.error());
    return result;
}

}  // namespace efilerun
