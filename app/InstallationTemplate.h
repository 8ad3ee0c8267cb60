#pragma once

#include <QString>

// The installations the program delivers itself, made from its own code when
// missing: the "New Installation" template that File New copies, and the
// demo site the first launch points at.
namespace InstallationTemplate {

inline constexpr const char* kTemplateFileName = "New installation.wfi";
inline constexpr const char* kDemoName = "Acme Manufacturing(DEMO)";

// Makes the program folder's "New Installation" folder when it is missing.
// False, with the reason in error, when it cannot be made whole.
bool EnsureNewInstallationTemplate(QString* error = nullptr);

// Makes the demo installation below installationsFolder when it is missing;
// returns the path of its installation file, or empty when it cannot be made.
QString EnsureDemoInstallation(const QString& installationsFolder, QString* error = nullptr);

} // namespace InstallationTemplate
