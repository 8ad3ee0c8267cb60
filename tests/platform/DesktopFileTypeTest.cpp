#include "platform/DesktopFileType.h"

#include <gtest/gtest.h>

namespace {

DesktopFileType TypeOf(const QString& program)
{
    return {QStringLiteral("app.desktop"), QStringLiteral("App"), program, QStringLiteral("--open"),
            QStringLiteral("application/x-app-document"), QStringLiteral("App Documents"), QStringLiteral("*.apd")};
}

} // namespace

TEST(DesktopFileType, ExecLineKeepsAnyProgramPathWhole)
{
    // The Exec value is unescaped as a string first, then split as a command line.
    const struct
    {
        const char* program;
        const char* exec;
    } cases[] = {
        {"/usr/bin/app", R"(Exec="/usr/bin/app" --open %f)"},
        {"/opt/My Apps/app", R"(Exec="/opt/My Apps/app" --open %f)"},
        {"/opt/100%/app", R"(Exec="/opt/100%%/app" --open %f)"},
        {R"(/opt/$HOME/a"b/c\d/`x`)", R"(Exec="/opt/\\$HOME/a\\"b/c\\\\d/\\`x\\`" --open %f)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        const QString text = QString::fromUtf8(DesktopEntryText(TypeOf(QString::fromUtf8(c.program))));
        EXPECT_TRUE(text.contains(QLatin1Char('\n') + QString::fromUtf8(c.exec) + QLatin1Char('\n')))
            << text.toStdString();
    }
}

TEST(DesktopFileType, MimePackageEscapesItsTexts)
{
    DesktopFileType type = TypeOf(QStringLiteral("/usr/bin/app"));
    type.typeComment = QStringLiteral("A & B <documents>");
    const QString text = QString::fromUtf8(MimePackageText(type));
    EXPECT_TRUE(text.contains(QStringLiteral("<comment>A &amp; B &lt;documents&gt;</comment>"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("<mime-type type=\"application/x-app-document\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("<glob pattern=\"*.apd\"/>")));
    EXPECT_TRUE(MimePackagePath(type).endsWith(QStringLiteral("/mime/packages/application-x-app-document.xml")));
}
