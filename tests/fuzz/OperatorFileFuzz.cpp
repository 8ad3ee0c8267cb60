#include "database/COperatorStore.h"
#include "database/OperatorFileCipher.h"
#include "database/OperatorLogin.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QDir>
#include <QRegularExpression>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// An operator read and saved again reads back the same, to the character.
bool SameOperator(const COperatorStore& a, const COperatorStore& b)
{
    if (a.GetName() != b.GetName() || a.GetPassword() != b.GetPassword()
        || a.IsAdministrator() != b.IsAdministrator())
        return false;
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i) {
        if (a.GetPrivilege(i) != b.GetPrivilege(i))
            return false;
    }
    return true;
}

// The slot of the first operator section the file's text names: every slot
// is read the same way, so one read per input covers the reader.
int FirstNamedSlot(const QByteArray& bytes)
{
    const QByteArray plain = IsPlainOperatorText(bytes) ? bytes : UnscrambleOperatorBytes(bytes);
    static const QRegularExpression header(QStringLiteral("\\[\\s*Operator\\s+(\\d+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = header.match(QString::fromLatin1(plain));
    return match.hasMatch() ? match.captured(1).toInt() % COperatorStore::kMaxOperators : 0;
}

} // namespace

// "Operators.ini", scrambled or plain, as the login and the operators page
// read it: an operator read and saved again reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QString path = [] {
        FuzzSandbox::Get();
        QDir().mkpath(QFileInfo(COperatorStore::GetFilePath()).path());
        return COperatorStore::GetFilePath();
    }();
    const QByteArray bytes = FuzzSandbox::Bytes(data, size);
    FuzzSandbox::WriteFile(path, bytes);
    const int slot = FirstNamedSlot(bytes);

    COperatorStore loggedIn;
    int administrator = 0;
    OperatorLogin::CheckLogin(slot, QStringLiteral("not the password"), loggedIn, administrator);

    COperatorStore read;
    if (!read.LoadOperator(slot))
        return 0;
    read.HasAnyPrivilege();
    if (!read.SaveOperator())
        std::abort();
    COperatorStore again;
    if (!again.LoadOperator(slot) || !SameOperator(read, again))
        std::abort();
    return 0;
}
