#include "cardholders/CredentialNumberField.h"

#include "cardholders/CredentialList.h"
#include "common/Formatting.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace {

// More digits than the highest number has cannot be in range.
constexpr int kMostDigits = 13;

} // namespace

std::optional<double> ReadCredentialNumber(const QString& text)
{
    const QString digits = text.trimmed();
    const bool allDigits = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (!allDigits) {
        ShowMessageBox(QStringLiteral("Please enter a number."), MbButtons::Ok, MbIcon::Exclamation);
        return std::nullopt;
    }
    const double number = digits.size() > kMostDigits ? CredentialList::kHighestNumber + 1 : digits.toDouble();
    if (number < CredentialList::kLowestNumber || number > CredentialList::kHighestNumber) {
        ShowMessageBox(QStringLiteral("Please enter a number between %1 and %2.")
                           .arg(FormatWholeNumber(CredentialList::kLowestNumber),
                                FormatWholeNumber(CredentialList::kHighestNumber)),
                       MbButtons::Ok, MbIcon::Exclamation);
        return std::nullopt;
    }
    return number;
}
