#include "config/IntegerField.h"

#include "platform/MessageBox.h"

std::optional<int> ReadIntegerField(const QString& text, int min, int max)
{
    bool isNumber = false;
    const qlonglong value = text.trimmed().toLongLong(&isNumber);
    if (!isNumber) {
        ShowMessageBox(QStringLiteral("Please enter an integer."), MbButtons::Ok, MbIcon::Exclamation);
        return std::nullopt;
    }
    if (value < min || value > max) {
        ShowMessageBox(QStringLiteral("Please enter an integer between %1 and %2.")
                           .arg(QString::number(min), QString::number(max)),
                       MbButtons::Ok, MbIcon::Exclamation);
        return std::nullopt;
    }
    return static_cast<int>(value);
}
