#include "database/InstallationVersion.h"

#include "platform/PrivateProfile.h"

#include <QByteArray>

#include <charconv>

namespace {

const QString kVersionSection = QStringLiteral("Version");
const QString kVersionKey = QStringLiteral("Installation Version");
const QString kRewrittenVersion = QStringLiteral("2.00");
constexpr double kFirstWardixVersion = 1.0;
constexpr double kCurrentVersion = 2.0;
constexpr int kVersionBufferChars = 49;

// atof in the C locale: leading blanks, then the longest number; anything else is 0.
double ParseLeadingNumber(const QString& text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    double value = 0.0;
    std::from_chars(bytes.constData(), bytes.constData() + bytes.size(), value);
    return value;
}

} // namespace

double ReadInstallationVersion(const QString& path)
{
    const QString text =
        PrivateProfile::GetString(kVersionSection, kVersionKey, QStringLiteral("0.00"), path).left(kVersionBufferChars);
    const double version = ParseLeadingNumber(text);
    if (version >= kFirstWardixVersion && version < kCurrentVersion)
        PrivateProfile::WriteString(kVersionSection, kVersionKey, kRewrittenVersion, path);
    return version;
}
