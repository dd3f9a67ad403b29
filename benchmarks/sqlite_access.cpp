// The access layer against the bare SQLite interface: 100,000 inserts in one transaction
// with bound arguments, and reading them back by column name, each with the connection's
// statement cache off (argument 0) and on (1, as the company files' connections run).
// The access layer's runs also run the bare interface on the same work between their
// timed parts and report the ratio of the two (vs_raw), so a changing machine load
// weighs on both sides alike.

#include <cstdlib>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"

namespace {

constexpr int kRows = 100000;
const char* const kCreate = "create table t (k integer primary key, name text, amount text, flag integer, value real)";
const char* const kInsert = "insert into t (k, name, amount, flag, value) values (?, ?, ?, ?, ?)";
const char* const kSelect = "select k, name, amount, flag, value from t";

std::string benchPath(const char* name) {
    return "/tmp/talvexa_bench_" + std::to_string(getpid()) + "_" + name + ".db";
}

void removeDatabase(const std::string& path) {
    std::remove(path.c_str());
    std::remove((path + "-journal").c_str());
}

void insertWithAccessLayer(const std::string& path, bool cache) {
    auto db = FMDatabase::databaseWithPath(path);
    // A failed step would time something other than the inserts.
    if (!db->open()) std::abort();
    db->setShouldCacheStatements(cache);
    if (!db->executeUpdate(kCreate) || !db->beginTransaction()) std::abort();
    for (int i = 0; i < kRows; ++i)
        if (!db->executeUpdate(kInsert, i, "Recipient " + std::to_string(i), "1234.56", i % 2, i * 0.5)) std::abort();
    if (!db->commit()) std::abort();
    db->close();
}

void insertRaw(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, kCreate, nullptr, nullptr, nullptr);
    sqlite3_exec(db, "begin exclusive transaction", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, kInsert, -1, &stmt, nullptr);
    for (int i = 0; i < kRows; ++i) {
        const std::string name = "Recipient " + std::to_string(i);
        sqlite3_bind_int(stmt, 1, i);
        sqlite3_bind_text(stmt, 2, name.data(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 3, "1234.56", -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 4, i % 2);
        sqlite3_bind_double(stmt, 5, i * 0.5);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "commit transaction", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

using Clock = std::chrono::steady_clock;

// Per iteration: prepare, then raw, both untimed, then layer, timed; reports the ratio
// of the layer's time to raw's.
template <class Prepare, class Layer, class Raw>
void againstRaw(benchmark::State& state, Prepare prepare, Layer layer, Raw raw) {
    double layerSeconds = 0, rawSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        const auto t1 = Clock::now();
        raw();
        rawSeconds += std::chrono::duration<double>(Clock::now() - t1).count();
        state.ResumeTiming();
        const auto t0 = Clock::now();
        layer();
        layerSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    if (rawSeconds > 0) state.counters["vs_raw"] = layerSeconds / rawSeconds;
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_InsertAccessLayer(benchmark::State& state) {
    const bool cache = state.range(0) != 0;
    const std::string path = benchPath("insert_layer");
    const std::string rawPath = benchPath("insert_layer_raw");
    againstRaw(
        state,
        [&] {
            removeDatabase(path);
            removeDatabase(rawPath);
        },
        [&] { insertWithAccessLayer(path, cache); }, [&] { insertRaw(rawPath); });
    removeDatabase(path);
    removeDatabase(rawPath);
}

void BM_InsertRaw(benchmark::State& state) {
    const std::string path = benchPath("insert_raw");
    for (auto _ : state) {
        removeDatabase(path);
        insertRaw(path);
    }
    removeDatabase(path);
    state.SetItemsProcessed(state.iterations() * kRows);
}

// One filled file shared by both readers.
const std::string& readPath() {
    static const std::string path = [] {
        const std::string p = benchPath("read");
        removeDatabase(p);
        insertRaw(p);
        return p;
    }();
    return path;
}

void readRawOnce(sqlite3* db);

void BM_ReadAccessLayer(benchmark::State& state) {
    auto db = FMDatabase::databaseWithPath(readPath());
    if (!db->open()) std::abort();
    db->setShouldCacheStatements(state.range(0) != 0);
    sqlite3* raw = nullptr;
    sqlite3_open(readPath().c_str(), &raw);
    againstRaw(
        state, [] {},
        [&] {
            int64_t keys = 0, flags = 0;
            double values = 0;
            size_t bytes = 0;
            auto rs = db->executeQuery(kSelect);
            while (rs->next()) {
                keys += rs->longForColumn("k");
                bytes += rs->stringForColumn("name")->size();
                bytes += rs->stringForColumn("amount")->size();
                flags += rs->intForColumn("flag");
                values += rs->doubleForColumn("value");
            }
            benchmark::DoNotOptimize(keys + flags + values + static_cast<double>(bytes));
        },
        [&] { readRawOnce(raw); });
    sqlite3_close(raw);
    db->close();
}

void readRawOnce(sqlite3* db) {
    int64_t keys = 0, flags = 0;
    double values = 0;
    size_t bytes = 0;
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, kSelect, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        keys += sqlite3_column_int64(stmt, 0);
        const std::string name(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)),
                               static_cast<size_t>(sqlite3_column_bytes(stmt, 1)));
        const std::string amount(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)),
                                 static_cast<size_t>(sqlite3_column_bytes(stmt, 2)));
        bytes += name.size() + amount.size();
        flags += sqlite3_column_int(stmt, 3);
        values += sqlite3_column_double(stmt, 4);
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(keys + flags + values + static_cast<double>(bytes));
}

void BM_ReadRaw(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open(readPath().c_str(), &db);
    for (auto _ : state) readRawOnce(db);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

BENCHMARK(BM_InsertAccessLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAccessLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRaw)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(readPath().c_str());
    return 0;
}
