// Texts between the engine (UTF-8 std::string) and Qt (QString).
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string>

namespace velmora {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// The product's messages break lines with "\r"; Qt's message boxes break them with "\n".
inline QString MessageText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A colour of the product (0xBBGGRR) as a QColor.
inline QColor BgrColor(uint32_t bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

} // namespace velmora
