#pragma once

#include "platform/ControlAbi.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QVariant>

#include <cstdlib>
#include <cstring>

// Conversions between QVariant and the boundary's variant. Header only: both
// sides of the boundary compile it themselves and link nothing of each other.

namespace ControlVariant {

inline constexpr int32_t kTrue = -1;
inline constexpr int32_t kFalse = 0;

inline char* CopyText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    char* copy = static_cast<char*>(std::malloc(static_cast<size_t>(utf8.size()) + 1));
    if (copy)
        std::memcpy(copy, utf8.constData(), static_cast<size_t>(utf8.size()) + 1);
    return copy;
}

inline void Clear(ZcVariant* value)
{
    std::free(value->text);
    *value = ZcVariant{};
}

// COM colours are 0x00BBGGRR.
inline int32_t ToOleColor(const QColor& colour)
{
    return static_cast<int32_t>(static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8)
                                | (static_cast<uint32_t>(colour.blue()) << 16));
}

inline QColor FromOleColor(int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

// Fills out from value; false when the type has no boundary form. out must be empty.
inline bool ToZc(const QVariant& value, ZcVariant* out)
{
    *out = ZcVariant{};
    switch (value.typeId()) {
    case QMetaType::Bool:
        out->type = ZC_VT_BOOL;
        out->number = value.toBool() ? kTrue : kFalse;
        return true;
    case QMetaType::Int:
    case QMetaType::LongLong:
        out->type = ZC_VT_I4;
        out->number = value.toInt();
        return true;
    case QMetaType::QString:
        out->type = ZC_VT_BSTR;
        out->text = CopyText(value.toString());
        return out->text != nullptr;
    case QMetaType::QColor:
        out->type = ZC_VT_COLOR;
        out->number = ToOleColor(value.value<QColor>());
        return true;
    case QMetaType::QFont: {
        const QFont font = value.value<QFont>();
        out->type = ZC_VT_FONT;
        out->number = font.pointSize();
        out->text = CopyText(font.family());
        return out->text != nullptr;
    }
    default:
        return false;
    }
}

inline QVariant FromZc(const ZcVariant& value)
{
    switch (value.type) {
    case ZC_VT_BOOL:
        return value.number != kFalse;
    case ZC_VT_I4:
        return static_cast<int>(value.number);
    case ZC_VT_BSTR:
        return QString::fromUtf8(value.text ? value.text : "");
    case ZC_VT_COLOR:
        return FromOleColor(value.number);
    case ZC_VT_FONT: {
        QFont font(QString::fromUtf8(value.text ? value.text : ""));
        if (value.number > 0)
            font.setPointSize(value.number);
        return font;
    }
    default:
        return {};
    }
}

} // namespace ControlVariant
