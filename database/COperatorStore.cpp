#include "database/COperatorStore.h"

#include "common/Vocabulary.h"
#include "database/OperatorFileCipher.h"
#include "platform/Archive.h"
#include "platform/DurableFiles.h"
#include "platform/MessageBox.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QTemporaryFile>

#include <algorithm>

namespace {

const QString kOperatorFileName = QStringLiteral("Operators.ini");
const QString kNameKey = QStringLiteral("Name");
const QString kPasswordKey = QStringLiteral("Password");
const QString kAdministratorKey = QStringLiteral("Administrator");
// Names and passwords were read into buffers of 260 characters.
constexpr int kMaxTextLength = 259;

QString SectionName(int slot)
{
    return QStringLiteral("Operator %1").arg(slot);
}

void ShowOperatorError(const char* tag, const char* text)
{
    ShowMessageBox(QStringLiteral("%1: %2").arg(QLatin1String(tag), QLatin1String(text)));
}

constexpr const char* kTempCreationError = "Temp file creation error. Cannot access operator records.";

// The operator file read as plain ini text, whichever form it is stored in.
struct OperatorFile
{
    enum State { Missing, Unreadable, Read };
    State state = Missing;
    QByteArray plain;
    bool storedPlain = false;

    static OperatorFile Load()
    {
        OperatorFile file;
        QFile f(COperatorStore::GetFilePath());
        if (!f.exists())
            return file;
        if (!f.open(QIODevice::ReadOnly)) {
            file.state = Unreadable;
            return file;
        }
        const QByteArray bytes = f.readAll();
        file.state = Read;
        file.storedPlain = IsPlainOperatorText(bytes);
        file.plain = file.storedPlain ? bytes : UnscrambleOperatorBytes(bytes);
        return file;
    }
};

// The plain working copy in the program folder; removed when it goes, also
// after a failure.
class WorkingCopy
{
public:
    WorkingCopy() = default;
    ~WorkingCopy()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    WorkingCopy(const WorkingCopy&) = delete;
    WorkingCopy& operator=(const WorkingCopy&) = delete;

    bool Create(const QByteArray& plain)
    {
        EnsureFolder(ProgramFolder());
        QTemporaryFile file(ProgramFolder() + QStringLiteral("/OperatorsXXXXXX.tmp"));
        file.setAutoRemove(false);
        if (!file.open())
            return false;
        m_path = file.fileName();
        return file.write(plain) == plain.size() && file.flush();
    }

    const QString& Path() const { return m_path; }

private:
    QString m_path;
};

} // namespace

COperatorStore::COperatorStore() = default;

COperatorStore::~COperatorStore() = default;

QString COperatorStore::GetFilePath()
{
    return ProgramFolder() + QLatin1Char('/') + kOperatorFileName;
}

QString COperatorStore::PrivilegeKey(int privilege)
{
    return NameAt(PrivilegeNames, privilege);
}

bool COperatorStore::LoadOperator(int slot)
{
    Clear();
    m_nSlot = slot;
    const OperatorFile file = OperatorFile::Load();
    if (slot < 0 || slot >= kMaxOperators || file.state != OperatorFile::Read) {
        m_nSlot = kNoOperator;
        return false;
    }
    if (file.storedPlain) // converted on first use; a failed write leaves it readable as it is
        WriteWholeFile(GetFilePath(), ScrambleOperatorBytes(file.plain));

    WorkingCopy copy;
    if (!copy.Create(file.plain)) {
        ShowOperatorError("A", kTempCreationError);
        m_nSlot = kNoOperator;
        return false;
    }
    const QString section = SectionName(slot);
    m_strName = PrivateProfile::GetString(section, kNameKey, QString(), copy.Path()).left(kMaxTextLength);
    m_strPassword = PrivateProfile::GetString(section, kPasswordKey, QString(), copy.Path()).left(kMaxTextLength);
    m_bAdministrator = PrivateProfile::GetInt(section, kAdministratorKey, 0, copy.Path());
    for (int i = 0; i < kPrivilegeCount; ++i)
        m_privileges[i] = PrivateProfile::GetInt(section, PrivilegeKey(i), 0, copy.Path());
    if (m_strName.isEmpty()) {
        m_nSlot = kNoOperator;
        return false;
    }
    return true;
}

bool COperatorStore::SelectOperator(int slot)
{
    if (slot != kNoOperator)
        return LoadOperator(slot);
    // Nobody is as a new store: administrator rights included, whoever was held before.
    *this = COperatorStore();
    return true;
}

bool COperatorStore::SaveOperator()
{
    return WriteSlot(RecordValues(false));
}

int COperatorStore::ReadOperatorInt(const QString& key) const
{
    const OperatorFile file = OperatorFile::Load();
    if (file.state != OperatorFile::Read)
        return 0;
    WorkingCopy copy;
    if (!copy.Create(file.plain)) {
        ShowOperatorError("C", kTempCreationError);
        return 0;
    }
    return PrivateProfile::GetInt(SectionName(m_nSlot), key, 0, copy.Path());
}

bool COperatorStore::WriteOperatorInt(const QString& key, int value)
{
    return WriteSlot({{key, QString::number(value)}});
}

bool COperatorStore::SetName(const QString& name)
{
    m_strName = name;
    return SaveOperator();
}

bool COperatorStore::SetPassword(const QString& password)
{
    m_strPassword = password;
    return SaveOperator();
}

bool COperatorStore::SetAdministrator(int administrator)
{
    m_bAdministrator = administrator;
    return SaveOperator();
}

int COperatorStore::AddOperator(const QString& name)
{
    int freeSlot = kNoOperator;
    for (int slot = 0; slot < kMaxOperators && freeSlot == kNoOperator; ++slot) {
        if (!LoadOperator(slot))
            freeSlot = slot;
    }
    if (freeSlot == kNoOperator)
        return kNoOperator;
    Clear();
    m_nSlot = freeSlot;
    m_strName = name;
    // A reused slot may still carry the rights of the operator deleted from it.
    if (!WriteSlot(RecordValues(true))) {
        m_nSlot = kNoOperator;
        return kNoOperator;
    }
    return freeSlot;
}

bool COperatorStore::DeleteOperator()
{
    Clear();
    // The rights go with the name, so the next operator in this slot starts with none.
    const bool written = WriteSlot(RecordValues(true));
    m_nSlot = kNoOperator;
    return written;
}

int COperatorStore::GetPrivilege(int privilege) const
{
    return privilege >= 0 && privilege < kPrivilegeCount ? m_privileges[privilege] : 0;
}

bool COperatorStore::HasPrivilege(int privilege) const
{
    if (m_nSlot == kNoOperator || m_bAdministrator)
        return true;
    return GetPrivilege(privilege) != 0;
}

bool COperatorStore::HasAnyPrivilege() const
{
    return m_bAdministrator || std::any_of(m_privileges.begin(), m_privileges.end(), [](int p) { return p != 0; });
}

COperatorStore::SlotValues COperatorStore::RecordValues(bool withPrivileges) const
{
    SlotValues values = {
        {kNameKey, m_strName},
        {kPasswordKey, m_strPassword},
        {kAdministratorKey, QString::number(m_bAdministrator)},
    };
    if (withPrivileges) {
        for (int i = 0; i < kPrivilegeCount; ++i)
            values[PrivilegeKey(i)] = QString::number(m_privileges[i]);
    }
    return values;
}

bool COperatorStore::WriteSlot(const SlotValues& values) const
{
    if (m_nSlot < 0 || m_nSlot >= kMaxOperators)
        return false;
    const OperatorFile file = OperatorFile::Load();
    if (file.state == OperatorFile::Unreadable) { // never replace accounts we could not read
        ShowOperatorError("B1", "Operator file read error. Cannot access operator records.");
        return false;
    }
    WorkingCopy copy;
    if (!copy.Create(file.plain)) {
        ShowOperatorError("B1", kTempCreationError);
        return false;
    }
    const QString section = SectionName(m_nSlot);
    for (const auto& [key, value] : values) {
        if (!PrivateProfile::WriteString(section, key, value, copy.Path())) {
            ShowOperatorError("B2", "Error opening temporary operator records.");
            return false;
        }
    }
    const std::optional<QByteArray> plain = ReadWholeFile(copy.Path());
    if (!plain) {
        ShowOperatorError("B2", "Error opening temporary operator records.");
        return false;
    }
    if (!WriteWholeFile(GetFilePath(), ScrambleOperatorBytes(*plain))) {
        ShowOperatorError("B2", "Operator file creation error. Cannot access operator records.");
        return false;
    }
    return true;
}

void COperatorStore::Clear()
{
    m_strName.clear();
    m_strPassword.clear();
    m_bAdministrator = 0;
    m_privileges.fill(0);
}
