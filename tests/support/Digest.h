// A short fingerprint of bytes for tests that pin an output down exactly:
// the first 16 hex digits of its SHA-256.
#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <string>

inline std::string Digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(16).toStdString();
}
