#include "FailingDisk.h"

#include <atomic>
#include <cstring>
#include <stdexcept>

namespace {

std::atomic<long> writeCount{0};
std::atomic<long> allowedWrites{-1};   // -1: not armed
std::atomic<int> failureCode{SQLITE_FULL};
std::atomic<bool> wasRefused{false};
std::atomic<bool> onlyOnce{false};

sqlite3_vfs* realVfs = nullptr;
sqlite3_vfs layer;

struct LayerFile {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* f) { return reinterpret_cast<LayerFile*>(f)->real; }

int layerClose(sqlite3_file* f) {
    sqlite3_file* r = realOf(f);
    const int rc = r->pMethods ? r->pMethods->xClose(r) : SQLITE_OK;
    f->pMethods = nullptr;
    return rc;
}
int layerRead(sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return realOf(f)->pMethods->xRead(realOf(f), b, n, o); }
int layerWrite(sqlite3_file* f, const void* b, int n, sqlite3_int64 o) {
    const long index = writeCount++;
    const long allowed = allowedWrites.load();
    if (allowed >= 0 && (onlyOnce ? index == allowed : index >= allowed)) {
        wasRefused = true;
        return failureCode.load();
    }
    return realOf(f)->pMethods->xWrite(realOf(f), b, n, o);
}
int layerTruncate(sqlite3_file* f, sqlite3_int64 s) { return realOf(f)->pMethods->xTruncate(realOf(f), s); }
// Nothing here is about power loss: syncs are left out, so that a test may run many
// upgrades and builds quickly.
int layerSync(sqlite3_file*, int) { return SQLITE_OK; }
int layerFileSize(sqlite3_file* f, sqlite3_int64* s) { return realOf(f)->pMethods->xFileSize(realOf(f), s); }
int layerLock(sqlite3_file* f, int l) { return realOf(f)->pMethods->xLock(realOf(f), l); }
int layerUnlock(sqlite3_file* f, int l) { return realOf(f)->pMethods->xUnlock(realOf(f), l); }
int layerCheckReservedLock(sqlite3_file* f, int* r) { return realOf(f)->pMethods->xCheckReservedLock(realOf(f), r); }
int layerFileControl(sqlite3_file* f, int op, void* a) { return realOf(f)->pMethods->xFileControl(realOf(f), op, a); }
int layerSectorSize(sqlite3_file* f) { return realOf(f)->pMethods->xSectorSize(realOf(f)); }
int layerDeviceCharacteristics(sqlite3_file* f) { return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f)); }
int layerShmMap(sqlite3_file* f, int i, int s, int e, void volatile** p) {
    return realOf(f)->pMethods->xShmMap(realOf(f), i, s, e, p);
}
int layerShmLock(sqlite3_file* f, int o, int n, int fl) { return realOf(f)->pMethods->xShmLock(realOf(f), o, n, fl); }
void layerShmBarrier(sqlite3_file* f) { realOf(f)->pMethods->xShmBarrier(realOf(f)); }
int layerShmUnmap(sqlite3_file* f, int d) { return realOf(f)->pMethods->xShmUnmap(realOf(f), d); }
int layerFetch(sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return realOf(f)->pMethods->xFetch(realOf(f), o, n, p); }
int layerUnfetch(sqlite3_file* f, sqlite3_int64 o, void* p) { return realOf(f)->pMethods->xUnfetch(realOf(f), o, p); }

const sqlite3_io_methods kMethods = {
    3,
    layerClose,
    layerRead,
    layerWrite,
    layerTruncate,
    layerSync,
    layerFileSize,
    layerLock,
    layerUnlock,
    layerCheckReservedLock,
    layerFileControl,
    layerSectorSize,
    layerDeviceCharacteristics,
    layerShmMap,
    layerShmLock,
    layerShmBarrier,
    layerShmUnmap,
    layerFetch,
    layerUnfetch,
};

int layerOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    auto* file = reinterpret_cast<LayerFile*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    std::memset(file->real, 0, static_cast<size_t>(realVfs->szOsFile));
    const int rc = realVfs->xOpen(realVfs, name, file->real, flags, outFlags);
    // Without the real file's methods SQLite must not call ours (not even xClose).
    file->base.pMethods = rc == SQLITE_OK && file->real->pMethods ? &kMethods : nullptr;
    return rc;
}
int layerDelete(sqlite3_vfs*, const char* n, int) { return realVfs->xDelete(realVfs, n, 0); }
int layerAccess(sqlite3_vfs*, const char* n, int f, int* r) { return realVfs->xAccess(realVfs, n, f, r); }
int layerFullPathname(sqlite3_vfs*, const char* n, int size, char* out) {
    return realVfs->xFullPathname(realVfs, n, size, out);
}
void* layerDlOpen(sqlite3_vfs*, const char* n) { return realVfs->xDlOpen(realVfs, n); }
void layerDlError(sqlite3_vfs*, int n, char* m) { realVfs->xDlError(realVfs, n, m); }
void (*layerDlSym(sqlite3_vfs*, void* h, const char* s))(void) { return realVfs->xDlSym(realVfs, h, s); }
void layerDlClose(sqlite3_vfs*, void* h) { realVfs->xDlClose(realVfs, h); }
int layerRandomness(sqlite3_vfs*, int n, char* out) { return realVfs->xRandomness(realVfs, n, out); }
int layerSleep(sqlite3_vfs*, int us) { return realVfs->xSleep(realVfs, us); }
int layerCurrentTime(sqlite3_vfs*, double* t) { return realVfs->xCurrentTime(realVfs, t); }
int layerGetLastError(sqlite3_vfs*, int n, char* m) { return realVfs->xGetLastError(realVfs, n, m); }
int layerCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* t) { return realVfs->xCurrentTimeInt64(realVfs, t); }

}  // namespace

FailingDisk::FailingDisk() {
    realVfs = sqlite3_vfs_find(nullptr);
    if (!realVfs) throw std::runtime_error("no SQLite file layer");
    std::memset(&layer, 0, sizeof layer);
    layer.iVersion = 2;
    layer.szOsFile = static_cast<int>(sizeof(LayerFile)) + realVfs->szOsFile;
    layer.mxPathname = realVfs->mxPathname;
    layer.zName = "failingDisk";
    layer.xOpen = layerOpen;
    layer.xDelete = layerDelete;
    layer.xAccess = layerAccess;
    layer.xFullPathname = layerFullPathname;
    layer.xDlOpen = layerDlOpen;
    layer.xDlError = layerDlError;
    layer.xDlSym = layerDlSym;
    layer.xDlClose = layerDlClose;
    layer.xRandomness = layerRandomness;
    layer.xSleep = layerSleep;
    layer.xCurrentTime = layerCurrentTime;
    layer.xGetLastError = layerGetLastError;
    layer.xCurrentTimeInt64 = layerCurrentTimeInt64;
    writeCount = 0;
    allowedWrites = -1;
    wasRefused = false;
    sqlite3_vfs_register(&layer, 1);
}

FailingDisk::~FailingDisk() {
    sqlite3_vfs_unregister(&layer);
    if (realVfs) sqlite3_vfs_register(realVfs, 1);
    allowedWrites = -1;
}

void FailingDisk::failAfter(long allowed, int code) {
    onlyOnce = false;
    failureCode = code;
    wasRefused = false;
    writeCount = 0;
    allowedWrites = allowed < 0 ? 0 : allowed;
}

void FailingDisk::failOnce(long allowed, int code) {
    failAfter(allowed, code);
    onlyOnce = true;
}

void FailingDisk::disarm() { allowedWrites = -1; }

long FailingDisk::writes() const { return writeCount.load(); }

void FailingDisk::resetCount() { writeCount = 0; }

bool FailingDisk::refused() const { return wasRefused.load(); }
