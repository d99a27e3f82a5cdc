#pragma once

// One entry point per reader of the program, fed with the bytes of a file as the program
// would read them. Each answers 0; a broken promise of the reader (a goods line split in two,
// a file that does not read back as written) aborts. libFuzzer calls them through
// fuzzmain.cpp; the replay test calls them with every seed and reproducer in the repository.

#include <cstddef>
#include <cstdint>

int FuzzJobText(const uint8_t *data, size_t size);
int FuzzFormatFile(const uint8_t *data, size_t size);
int FuzzGoodsFile(const uint8_t *data, size_t size);
int FuzzPreFile(const uint8_t *data, size_t size);
int FuzzPortMap(const uint8_t *data, size_t size);
int FuzzBarcodeSet(const uint8_t *data, size_t size);
int FuzzColumnWidths(const uint8_t *data, size_t size);

struct FuzzTarget {
    const char *name; // folder under corpus/ and reproducers/
    int (*entry)(const uint8_t *, size_t);
};

inline constexpr FuzzTarget FuzzTargets[] = {
    {"jobtext", &FuzzJobText},           {"formatfile", &FuzzFormatFile},
    {"goodsfile", &FuzzGoodsFile},       {"prefile", &FuzzPreFile},
    {"portmap", &FuzzPortMap},           {"barcodeset", &FuzzBarcodeSet},
    {"columnwidths", &FuzzColumnWidths},
};

// Aborts with a message when a promise does not hold (in every build, NDEBUG or not).
void FuzzRequire(bool condition, const char *what);
