#include "core/efile/EFileRun.h"

#include <string_view>
#include <utility>

#include "core/foundation/JobMeter.h"
#include "core/sqlite/FMDatabase.h"
#include "core/store/OnePassCache.h"
#include "platform/AtomicFileWriter.h"
#include "platform/SystemLog.h"

namespace efilerun {

namespace {

// Ends the run's own transaction: commits when keep is set, else rolls back. A caller's
// transaction is left to the caller.
bool endTransaction(FMDatabase& db, bool own, bool keep, std::string& reason) {
    if (!own) return true;
    if (keep) {
        if (db.commit()) return true;
        reason = "The recipients could not be marked completed: " + db.lastErrorMessage();
    }
    if (db.isInTransaction() && !db.rollback())
        platform::systemLog("The e-file run could not be rolled back: " + db.lastErrorMessage());
    return false;
}

}  // namespace

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
    const OnePassCache cache(db);
    const bool own = !db.isInTransaction();
    if (own && !db.beginTransaction())
        return failed(EFileResult::Failure::database, "The recipients could not be read: " + db.lastErrorMessage());

    std::string reason;
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
    if (result.ok() && mark && !steps.mark()) result = failed(EFileResult::Failure::database, steps.failure());
    if (result.ok() && !out.finish()) result = failed(EFileResult::Failure::output, out.error());

    if (!endTransaction(db, own, result.ok(), reason)) {
        out.abandon();
        if (result.ok()) result = failed(EFileResult::Failure::database, reason);
        return result;
    }
    if (!result.ok()) {
        out.abandon();
        return result;
    }
    // The marks are committed; only the rename is left.
    if (!out.commit()) return failed(EFileResult::Failure::output, out.error());
    return result;
}

}  // namespace efilerun
