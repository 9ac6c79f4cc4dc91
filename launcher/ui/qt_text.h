#pragma once
// Conversions between the launcher's 8-bit/UTF-8 texts and Qt's strings.

#include <QString>
#include <string>

namespace krv {

inline QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
inline std::string ss(const QString& s) {
    return s.toUtf8().toStdString();
}

// Message texts use CR LF line breaks; Qt wants LF.
inline QString qsLines(const std::string& s) {
    QString text = qs(s);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace krv
