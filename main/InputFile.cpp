#include "main/InputFile.h"

#include "dump/Fatal.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cstdint>
#include <cstdio>

namespace {

// Owner of the mapping: Qt removes a mapping when its file object is closed or
// destroyed, so the object and the descriptor it uses live until the process exits.
QFile* theMappedFile = nullptr;

// The whole file mapped private and writable; null when the file system cannot map it.
uint8_t* mapWhole(FILE* file, qint64 size)
{
    if (size == 0)
        return nullptr;
    auto* mapped = new QFile;
    if (mapped->open(fileno(file), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) {
        if (uchar* bytes = mapped->map(0, size, QFileDevice::MapPrivateOption)) {
            theMappedFile = mapped;
            return bytes;
        }
    }
    delete mapped;
    return nullptr;
}

uint8_t* readWhole(FILE* file, long size, const char* path)
{
    uint8_t* bytes = new uint8_t[size_t(size)];
    rewind(file);
    if (fread(bytes, 1, size_t(size), file) != size_t(size))
        fatal("cannot read %s\n", path);
    return bytes;
}

} // namespace

InputFile openInputFile(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        fatal("cannot open %s\n", path);
    // Directories and devices open fine but have no size to seek to.
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode))
        fatal("cannot read %s: not a regular file\n", path);
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (size < 0)
        fatal("cannot read %s\n", path);
    if (size > INT32_MAX)
        fatal("cannot read %s: files of 2 GiB or more are not supported\n", path);
    uint8_t* bytes = mapWhole(file, size);
    if (!bytes) {
        bytes = readWhole(file, size, path);
        fclose(file);
    }
    return InputFile{bytes, uint32_t(size)};
}

void releaseInputPages(const uint8_t* start, uint32_t length)
{
    if (!theMappedFile)
        return;
    const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    uintptr_t first = (uintptr_t(start) + page - 1) / page * page;
    uintptr_t end = (uintptr_t(start) + length) / page * page;
    if (first < end)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_DONTNEED);
}
