#include "main/InputFile.h"

#include "dump/Fatal.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>

InputFile readInputFile(const char* path)
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
    uint8_t* bytes = new uint8_t[size_t(size)];
    rewind(file);
    if (fread(bytes, 1, size_t(size), file) != size_t(size))
        fatal("cannot read %s\n", path);
    fclose(file);
    return InputFile{bytes, uint32_t(size)};
}
