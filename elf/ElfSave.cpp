// Writing an image back to a file: ElfFile::save.
#include "elf/ElfFile.h"

#include "common/HException.h"
#include "elf/FileName.h"
#include "elf/HostOrder.h"

#include <QSaveFile>

namespace {

void writeFile(const QString& path, const uint8_t* bytes, uint32_t length)
{
    // The new contents go to a temporary file that replaces the old one only once
    // complete, so a failure never leaves a half-written image under the name.
    QString name = qtFileName(path);
    QSaveFile file(name);
    // A directory that cannot take the temporary file: the file itself is truncated and
    // rewritten. `bytes` must then not live in a mapping of that file, or the truncation
    // takes them away before they are written (save detaches the model first).
    file.setDirectWriteFallback(true);
    if (name.isEmpty() || !file.open(QIODevice::WriteOnly))
        throw HException(QStringLiteral("cannot open ") + path);
    if (file.write(reinterpret_cast<const char*>(bytes), length) != qint64(length) || !file.commit())
        throw HException(QStringLiteral("write read ") + path);
}

} // namespace

// Entries of one table never overlap one another, but the tables themselves may: only
// the order of the groups matters.
void ElfFile::tablesToImageOrder()
{
    symbolEntriesToHost();
    for (ElfSection* section : sections)
        wordsToHost(section->header, sizeof(ElfSectionHeader), bigEndian);
    for (ElfProgram* program : programs)
        wordsToHost(program->header, sizeof(ElfProgramHeader), bigEndian);
    headerToHost(header, bigEndian);
}

void ElfFile::tablesToHostOrder()
{
    headerToHost(header, bigEndian);
    for (ElfProgram* program : programs)
        wordsToHost(program->header, sizeof(ElfProgramHeader), bigEndian);
    for (ElfSection* section : sections)
        wordsToHost(section->header, sizeof(ElfSectionHeader), bigEndian);
    symbolEntriesToHost();
}

void ElfFile::symbolEntriesToHost()
{
    if (symbolEntryCount == 0)
        return;
    // The entries lie inside `image`, which the model owns and may change.
    uint8_t* entries = image + (symbolEntries - image);
    for (uint32_t i = 0; i < symbolEntryCount; ++i)
        symbolToHost(reinterpret_cast<ElfSymbolEntry*>(entries + i * sizeof(ElfSymbolEntry)), bigEndian);
}

void ElfFile::save(const QString& path)
{
    // Whether QSaveFile falls back to writing in place is known only once it opens the
    // file, so the image leaves the input's mapping before any write.
    detachFromMapping();
    tablesToImageOrder();
    try {
        writeFile(path, image, imageLength);
    } catch (...) {
        tablesToHostOrder();
        throw;
    }
    tablesToHostOrder();
}
