#include "platform/ControlRegistry.h"
#include "tests/support/TestEnvironment.h"
#include "tests/zonectl/ScheduleBarProperties.h"
#include "zonectl/QZIdentifiers.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

class ControlRegistryFile : public ::testing::Test
{
protected:
    TestEnvironment environment;
    ControlRegistry registry{environment.Path(QStringLiteral("registry/Controls.conf"))};
};

TEST_F(ControlRegistryFile, KeysAreCaseInsensitiveAndTreesDeleteWhole)
{
    ASSERT_TRUE(registry.SetValue(QStringLiteral("CLSID\\{AB}\\InprocServer32"), {}, QStringLiteral("/lib/a.so")));
    ASSERT_TRUE(registry.SetValue(QStringLiteral("CLSID\\{AB}\\InprocServer32"), QStringLiteral("ThreadingModel"),
                                  QStringLiteral("Apartment")));
    ASSERT_TRUE(registry.SetValue(QStringLiteral("CLSID\\{CD}"), {}, QStringLiteral("other")));
    EXPECT_EQ(registry.InprocServer(QStringLiteral("{ab}")), QStringLiteral("/lib/a.so"));
    EXPECT_EQ(registry.Value(QStringLiteral("clsid\\{AB}\\inprocserver32"), QStringLiteral("threadingmodel")),
              QStringLiteral("Apartment"));

    ASSERT_TRUE(registry.DeleteTree(QStringLiteral("CLSID\\{AB}")));
    EXPECT_TRUE(registry.InprocServer(QStringLiteral("{AB}")).isEmpty());
    EXPECT_EQ(registry.Value(QStringLiteral("CLSID\\{CD}")), QStringLiteral("other"));
    EXPECT_TRUE(registry.DeleteTree(QStringLiteral("CLSID\\{never}")));
}

TEST_F(ControlRegistryFile, KeysThatNameNoPlaceAreRefused)
{
    for (const char* key : {"", "CLSID\\", "CLSID\\\\x", "CLSID/x", "CLSID\\a/b"}) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(registry.SetValue(QString::fromLatin1(key), {}, QStringLiteral("v")));
        EXPECT_FALSE(registry.DeleteTree(QString::fromLatin1(key)));
    }
    EXPECT_FALSE(registry.SetValue(QStringLiteral("CLSID"), QStringLiteral("a/b"), QStringLiteral("v")));
}

TEST_F(ControlRegistryFile, LibraryRegistersAndUnregistersItself)
{
    QString message;
    ASSERT_TRUE(registry.RegisterServer(QString::fromUtf8(ZONECTL_LIBRARY), &message)) << message.toStdString();
    const QString clsid = registry.ClassFromProgId(QString::fromLatin1(QZ::kProgIdQZCtrl));
    EXPECT_EQ(clsid, QString::fromLatin1(QZ::kClsidQZCtrl));
    EXPECT_EQ(registry.InprocServer(clsid), QFileInfo(QString::fromUtf8(ZONECTL_LIBRARY)).absoluteFilePath());

    ASSERT_TRUE(registry.UnregisterServer(QString::fromUtf8(ZONECTL_LIBRARY), &message)) << message.toStdString();
    EXPECT_TRUE(registry.ClassFromProgId(QString::fromLatin1(QZ::kProgIdQZCtrl)).isEmpty());
    EXPECT_TRUE(registry.InprocServer(QString::fromLatin1(QZ::kClsidQZCtrl)).isEmpty());
}

TEST_F(ControlRegistryFile, TypeLibraryReadsBackAndGoesWithUnregistration)
{
    const QString library = QString::fromUtf8(ZONECTL_LIBRARY);
    const QString libid = QString::fromLatin1(QZ::kLibidQZLib);
    const QString version = QStringLiteral("1.0");
    QString message;
    ASSERT_TRUE(registry.RegisterServer(library, &message)) << message.toStdString();

    const std::optional<ControlTypeLibrary> typeLibrary = registry.TypeLibrary(libid, version);
    ASSERT_TRUE(typeLibrary);
    EXPECT_EQ(typeLibrary->name, QStringLiteral("QZLib"));
    EXPECT_EQ(typeLibrary->description, QStringLiteral("QZ ActiveX Control module"));
    EXPECT_EQ(typeLibrary->helpFile, QStringLiteral("QZ.hlp"));
    EXPECT_EQ(typeLibrary->path, QFileInfo(library).absoluteFilePath());
    EXPECT_EQ(typeLibrary->helpDir, QFileInfo(library).absolutePath());
    EXPECT_FALSE(registry.TypeLibrary(libid, QStringLiteral("2.0")));

    QList<ControlTypeLibrary::Member> properties;
    for (const ScheduleBarProperty& property : kScheduleBarProperties)
        properties.append({property.dispid, QString::fromLatin1(property.name), {}});
    std::sort(properties.begin(), properties.end(), [](const auto& a, const auto& b) { return a.dispid < b.dispid; });
    const struct
    {
        const char* guid;
        const char* name;
        const char* description;
        QList<ControlTypeLibrary::Member> members;
        bool isInterface;
    } types[] = {
        {QZ::kIidDQZ, "_DQZ", "Dispatch interface for QZ Control", properties, true},
        {QZ::kIidDQZEvents, "_DQZEvents", "Event interface for QZ Control",
         {{-605, QStringLiteral("MouseDown"), {"Button", "Shift", "x", "y"}}}, true},
        {QZ::kClsidQZCtrl, "QZ", "QZ Control", {}, false},
    };
    for (const auto& expected : types) {
        SCOPED_TRACE(expected.name);
        const QString guid = QString::fromLatin1(expected.guid);
        const std::optional<ControlTypeLibrary::Type> type = registry.TypeInfo(libid, version, guid);
        ASSERT_TRUE(type);
        EXPECT_EQ(type->name, QString::fromLatin1(expected.name));
        EXPECT_EQ(type->description, QString::fromLatin1(expected.description));
        ASSERT_EQ(type->members.size(), expected.members.size());
        for (qsizetype i = 0; i < type->members.size(); ++i) {
            SCOPED_TRACE(expected.members[i].name.toStdString());
            EXPECT_EQ(type->members[i].dispid, expected.members[i].dispid);
            EXPECT_EQ(type->members[i].name, expected.members[i].name);
            EXPECT_EQ(type->members[i].parameters, expected.members[i].parameters);
        }
        const QString interfaceKey = QStringLiteral("Interface\\") + guid;
        EXPECT_EQ(registry.Value(interfaceKey), expected.isInterface ? type->name : QString());
        EXPECT_EQ(registry.Value(interfaceKey + QStringLiteral("\\TypeLib")), expected.isInterface ? libid : QString());
    }

    ASSERT_TRUE(registry.UnregisterServer(library, &message)) << message.toStdString();
    EXPECT_FALSE(registry.TypeLibrary(libid, version));
    for (const auto& expected : types) {
        SCOPED_TRACE(expected.name);
        EXPECT_FALSE(registry.TypeInfo(libid, version, QString::fromLatin1(expected.guid)));
        EXPECT_TRUE(registry.Value(QStringLiteral("Interface\\") + QString::fromLatin1(expected.guid)).isEmpty());
    }
}

TEST_F(ControlRegistryFile, FilesThatAreNoControlLibrariesAreRefused)
{
    const QString text = environment.Path(QStringLiteral("notes.so"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();

    const struct
    {
        QString path;
        const char* messageStart;
    } cases[] = {
        {environment.Path(QStringLiteral("missing.so")), "Unable to load the control library "},
        {text, "Unable to load the control library "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QString message;
        EXPECT_FALSE(registry.RegisterServer(c.path, &message));
        EXPECT_TRUE(message.startsWith(QString::fromLatin1(c.messageStart))) << message.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(registry.File()));
}

TEST(ControlRegistryLocation, EnvironmentThenApiChooseTheFile)
{
    const QByteArray previous = qgetenv("WARDIX_CONTROL_REGISTRY");
    qputenv("WARDIX_CONTROL_REGISTRY", "/tmp/from-environment.conf");
    EXPECT_EQ(ControlRegistry::Location(), QStringLiteral("/tmp/from-environment.conf"));
    ControlRegistry::SetLocation(QStringLiteral("/tmp/from-api.conf"));
    EXPECT_EQ(ControlRegistry::Location(), QStringLiteral("/tmp/from-api.conf"));
    ControlRegistry::SetLocation({});
    qunsetenv("WARDIX_CONTROL_REGISTRY");
    EXPECT_TRUE(ControlRegistry::Location().endsWith(QStringLiteral("Quorin/ControlRegistry.conf")));
    qputenv("WARDIX_CONTROL_REGISTRY", previous);
}

} // namespace
