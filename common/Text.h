#pragma once
// Texts from images and the command line are 8-bit, one character per byte; Latin-1
// conversion keeps every byte as it is in both directions.
#include <QByteArray>
#include <QString>

inline QString textFromBytes(const char* bytes)
{
    return QString::fromLatin1(bytes);
}

inline QString textFromBytes(const char* bytes, int length)
{
    return QString::fromLatin1(bytes, length);
}

inline QByteArray bytesFromText(const QString& text)
{
    return text.toLatin1();
}
