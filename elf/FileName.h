#pragma once
// Paths are held like every other text: Latin-1, one character per byte, so that
// messages print them as given. QFile wants its own file-name encoding instead (UTF-8
// on Linux); handing it the Latin-1 text would name a different file as soon as a byte
// is above 0x7F.
#include "common/Text.h"

#include <QFile>

// The name under which QFile finds the file whose path bytes `path` holds; empty (which
// no file has) when no QFile name encodes back to those bytes, as with bytes that are not
// UTF-8.
inline QString qtFileName(const QString& path)
{
    QByteArray bytes = bytesFromText(path);
    QString name = QFile::decodeName(bytes);
    return QFile::encodeName(name) == bytes ? name : QString();
}
