#include "database/COperatorStore.h"
#include "database/OperatorLogin.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
// A text cut to its longest length may end in a blank, which a value read
// back never does.
bool SameOperator(const COperatorStore& a, const COperatorStore& b)
{
    if (a.GetName().trimmed() != b.GetName() || a.GetPassword().trimmed() != b.GetPassword()
        || a.IsAdministrator() != b.IsAdministrator())
        return false;
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i) {
        if (a.GetPrivilege(i) != b.GetPrivilege(i))
            return false;
    }
    return true;
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
    FuzzSandbox::WriteFile(path, FuzzSandbox::Bytes(data, size));

    const std::vector<OperatorLogin::Entry> entries = OperatorLogin::FillOperatorList();
    OperatorLogin::IsLoginSkipped(entries);
    if (entries.empty())
        return 0;
    const int slot = entries.front().slot;
    COperatorStore loggedIn;
    int administrator = 0;
    OperatorLogin::CheckLogin(slot, QStringLiteral("not the password"), loggedIn, administrator);

    COperatorStore read;
    if (!read.LoadOperator(slot) || !read.SaveOperator())
        std::abort();
    COperatorStore again;
    if (!again.LoadOperator(slot) || !SameOperator(read, again))
        std::abort();
    return 0;
}
