#pragma once
// The image model's exception: one message text, reported by the caller on one line.
#include <QByteArray>
#include <QString>
#include <exception>

class HException : public std::exception {
public:
    explicit HException(const QString& message) : text(message), bytes(message.toLatin1()) {}
    const QString& message() const { return text; }
    const char* what() const noexcept override { return bytes.constData(); }

private:
    QString text;
    QByteArray bytes;
};
