// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One entry point per reader of the program, fed with the bytes of a file as the program
// would read them. Each answers 0; a broken promise of the reader (a goods line split in two,
// a file that does not read back as written) aborts. libFuzzer calls them through
// fuzzmain.cpp; the replay test calls them with every seed and reproducer in the repository.

#include <QString>

#include <cstddef>
#include <cstdint>

int FuzzJobText(const uint8_t *data, size_t size);
int FuzzFormatFile(const uint8_t *data, size_t size);
int FuzzGoodsFile(const uint8_t *data, size_t size);
int FuzzPreFile(const uint8_t *data, size_t size);
int FuzzPortMap(const uint8_t *data, size_t size);
int FuzzBarcodeSet(const uint8_t *data, size_t size);
int FuzzColumnWidths(const uint8_t *data, size_t size);
int FuzzCsvImport(const uint8_t *data, size_t size);
int FuzzXlsxImport(const uint8_t *data, size_t size);
int FuzzXlsImport(const uint8_t *data, size_t size);
int FuzzImportSettings(const uint8_t *data, size_t size);
int FuzzLockFile(const uint8_t *data, size_t size);
int FuzzFileStamp(const uint8_t *data, size_t size);
int FuzzPrintOrder(const uint8_t *data, size_t size);

struct FuzzTarget {
    const char *name; // folder under corpus/ and reproducers/
    int (*entry)(const uint8_t *, size_t);
};

inline constexpr FuzzTarget FuzzTargets[] = {
    {"jobtext", &FuzzJobText},
    {"formatfile", &FuzzFormatFile},
    {"goodsfile", &FuzzGoodsFile},
    {"prefile", &FuzzPreFile},
    {"portmap", &FuzzPortMap},
    {"barcodeset", &FuzzBarcodeSet},
    {"columnwidths", &FuzzColumnWidths},
    {"csvimport", &FuzzCsvImport},
    {"xlsximport", &FuzzXlsxImport},
    {"xlsimport", &FuzzXlsImport},
    {"importsettings", &FuzzImportSettings},
    {"lockfile", &FuzzLockFile},
    {"filestamp", &FuzzFileStamp},
    {"printorder", &FuzzPrintOrder},
};

// Aborts with a message when a promise does not hold (in every build, NDEBUG or not).
void FuzzRequire(bool condition, const char *what);

// For readers that take a path only: the file `name` in a scratch folder of this process
// (in memory where the system has such a folder), holding the bytes; its path.
QString FuzzScratchFile(const char *name, const uint8_t *data, size_t size);
