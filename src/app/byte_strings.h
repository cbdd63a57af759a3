#pragma once
// The core's byte strings as Qt's strings and back: file names in the system's encoding, texts
// in UTF-8.

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <string>
#include <string_view>

namespace dialoscope {

inline QString FromBytes(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// The last part of a path: "talk.ipp".
inline QString FileNameOf(std::string_view path) {
    return QFileInfo(FromBytes(path)).fileName();
}

inline std::string PathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline QString Utf8(std::string_view text) {
    return QString::fromUtf8(text);
}

} // namespace dialoscope
