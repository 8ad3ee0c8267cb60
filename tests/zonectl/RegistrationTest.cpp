#include "platform/ControlLibrary.h"
#include "zonectl/QZIdentifiers.h"

#include <QFileInfo>
#include <QMap>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A registry in memory that records every call in order and fails every call
// on a key below failBelow.
class MemoryRegistry
{
public:
    struct Call
    {
        bool isDelete;
        QString key;
    };

    QString failBelow;
    QList<Call> calls;
    QMap<QString, QString> values; // "key|name" -> value

    ZcRegistry Api() { return ZcRegistry{this, &MemoryRegistry::SetValue, &MemoryRegistry::DeleteTree}; }

    QString Value(const QString& key, const QString& name = {}) const { return values.value(key + '|' + name); }

    qsizetype FirstCallBelow(const QString& prefix) const
    {
        for (qsizetype i = 0; i < calls.size(); ++i) {
            if (calls[i].key.startsWith(prefix))
                return i;
        }
        return -1;
    }
    qsizetype LastCallBelow(const QString& prefix) const
    {
        for (qsizetype i = calls.size() - 1; i >= 0; --i) {
            if (calls[i].key.startsWith(prefix))
                return i;
        }
        return -1;
    }

private:
    bool Fails(const QString& key) const { return !failBelow.isEmpty() && key.startsWith(failBelow); }

    static ZcResult SetValue(void* context, const char* key, const char* name, const char* value)
    {
        auto* self = static_cast<MemoryRegistry*>(context);
        const QString k = QString::fromUtf8(key);
        self->calls.append({false, k});
        if (self->Fails(k))
            return ZC_E_FAIL;
        self->values.insert(k + '|' + QString::fromUtf8(name), QString::fromUtf8(value));
        return ZC_S_OK;
    }

    static ZcResult DeleteTree(void* context, const char* key)
    {
        auto* self = static_cast<MemoryRegistry*>(context);
        const QString k = QString::fromUtf8(key);
        self->calls.append({true, k});
        return self->Fails(k) ? ZC_E_FAIL : ZC_S_OK;
    }
};

const QString kTypeLib = QStringLiteral("TypeLib\\");
const QString kClasses = QStringLiteral("CLSID\\");

class ControlSelfRegistration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString message;
        library = ControlLibrary::Load(QString::fromUtf8(ZONECTL_LIBRARY), &message);
        ASSERT_TRUE(library) << message.toStdString();
    }

    std::shared_ptr<ControlLibrary> library;
    MemoryRegistry registry;
};

TEST_F(ControlSelfRegistration, WritesTheTypeLibraryThenEachClass)
{
    ASSERT_EQ(library->RegisterServer(registry.Api()), ZC_S_OK);

    ASSERT_GE(registry.FirstCallBelow(kClasses), 0);
    EXPECT_LT(registry.LastCallBelow(kTypeLib), registry.FirstCallBelow(kClasses));
    EXPECT_LT(registry.LastCallBelow(QStringLiteral("Interface\\")), registry.FirstCallBelow(kClasses));

    const QString control = kClasses + QZ::kClsidQZCtrl;
    const QString path = QFileInfo(QString::fromUtf8(ZONECTL_LIBRARY)).absoluteFilePath();
    EXPECT_EQ(registry.Value(control), QStringLiteral("QZ Control"));
    EXPECT_EQ(registry.Value(control + "\\InprocServer32"), path);
    EXPECT_EQ(registry.Value(control + "\\InprocServer32", "ThreadingModel"), QStringLiteral("Apartment"));
    EXPECT_EQ(registry.Value(control + "\\ProgID"), QStringLiteral("QZ.QZCtrl.1"));
    EXPECT_EQ(registry.Value(control + "\\MiscStatus\\1"), QStringLiteral("131473"));
    EXPECT_EQ(registry.Value(control + "\\TypeLib"), QString::fromLatin1(QZ::kLibidQZLib));
    EXPECT_EQ(registry.Value(control + "\\Version"), QStringLiteral("1.0"));
    EXPECT_EQ(registry.Value(QStringLiteral("QZ.QZCtrl.1\\CLSID")), QString::fromLatin1(QZ::kClsidQZCtrl));

    const QString page = kClasses + QZ::kClsidQZPropPage;
    EXPECT_EQ(registry.Value(page), QStringLiteral("QZ Property Page"));
    EXPECT_EQ(registry.Value(page + "\\InprocServer32"), path);
    EXPECT_EQ(registry.Value(QStringLiteral("QZ.QZPropPage.1\\CLSID")), QString::fromLatin1(QZ::kClsidQZPropPage));

    const QString typeLib = kTypeLib + QZ::kLibidQZLib + "\\1.0";
    EXPECT_EQ(registry.Value(typeLib), QStringLiteral("QZ ActiveX Control module"));
}

TEST_F(ControlSelfRegistration, RemovesTheTypeLibraryBeforeTheClasses)
{
    ASSERT_EQ(library->UnregisterServer(registry.Api()), ZC_S_OK);
    for (const MemoryRegistry::Call& call : registry.calls)
        EXPECT_TRUE(call.isDelete) << call.key.toStdString();
    for (const QString& key : {kClasses + QZ::kClsidQZCtrl, QString::fromLatin1(QZ::kProgIdQZCtrl),
                              kClasses + QZ::kClsidQZPropPage, QString::fromLatin1(QZ::kProgIdQZPropPage)}) {
        SCOPED_TRACE(key.toStdString());
        const qsizetype at = registry.FirstCallBelow(key);
        ASSERT_GE(at, 0);
        EXPECT_LT(registry.LastCallBelow(kTypeLib), at);
    }
}

TEST_F(ControlSelfRegistration, FailuresStopAtTheirStepWithTheirCode)
{
    struct Case
    {
        const char* name;
        bool unregister;
        QString failBelow;
        ZcResult expected;
        bool classesTouched;
    };
    const Case cases[] = {
        {"type library write fails", false, kTypeLib, ZC_SELFREG_E_TYPELIB, false},
        {"interface write fails", false, QStringLiteral("Interface\\"), ZC_SELFREG_E_TYPELIB, false},
        {"type entry write fails", false, kTypeLib + QZ::kLibidQZLib + "\\1.0\\Types\\" + QZ::kIidDQZEvents,
         ZC_SELFREG_E_TYPELIB, false},
        {"class write fails", false, kClasses, ZC_SELFREG_E_CLASS, true},
        {"ProgID write fails", false, QStringLiteral("QZ."), ZC_SELFREG_E_CLASS, true},
        {"type library removal fails", true, kTypeLib, ZC_SELFREG_E_TYPELIB, false},
        {"class removal fails", true, kClasses, ZC_SELFREG_E_CLASS, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryRegistry failing;
        failing.failBelow = c.failBelow;
        const ZcRegistry api = failing.Api();
        EXPECT_EQ(c.unregister ? library->UnregisterServer(api) : library->RegisterServer(api), c.expected);
        EXPECT_EQ(failing.FirstCallBelow(kClasses) >= 0, c.classesTouched);
    }
}

TEST_F(ControlSelfRegistration, NoRegistryIsRefused)
{
    ZcRegistry empty{};
    EXPECT_EQ(library->RegisterServer(empty), ZC_E_POINTER);
    EXPECT_EQ(library->UnregisterServer(empty), ZC_E_POINTER);
}

TEST_F(ControlSelfRegistration, FactoriesForItsTwoClassesOnly)
{
    const struct
    {
        QString clsid;
        ZcResult expected;
    } cases[] = {
        {QString::fromLatin1(QZ::kClsidQZCtrl), ZC_S_OK},
        {QString::fromLatin1(QZ::kClsidQZCtrl).toLower(), ZC_S_OK},
        {QString::fromLatin1(QZ::kClsidQZPropPage), ZC_S_OK},
        {QString::fromLatin1(QZ::kClsidStockFontPage), ZC_CLASS_E_CLASSNOTAVAILABLE},
        {QString(), ZC_CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clsid.toStdString());
        const ZcClassFactory* factory = nullptr;
        EXPECT_EQ(library->GetClassObject(c.clsid, &factory), c.expected);
        EXPECT_EQ(factory != nullptr, c.expected == ZC_S_OK);
    }
}

TEST_F(ControlSelfRegistration, MayUnloadOnlyWithNoLiveObject)
{
    ASSERT_EQ(library->CanUnloadNow(), ZC_S_OK);
    const ZcClassFactory* factory = nullptr;
    ASSERT_EQ(library->GetClassObject(QString::fromLatin1(QZ::kClsidQZCtrl), &factory), ZC_S_OK);
    ZcObject* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(factory->context, &object), ZC_S_OK);
    EXPECT_EQ(library->CanUnloadNow(), ZC_S_FALSE);
    object->vtbl->Release(object);
    EXPECT_EQ(library->CanUnloadNow(), ZC_S_OK);
}

} // namespace
