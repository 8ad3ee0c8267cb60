#include "database/RegistryFile.h"
#include "platform/Profile.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
void ClearProfile()
{
    QFile::remove(Profile::Location());
}
} // namespace

// A backup's "RegistyBackup.reg" imported into an empty profile on restore:
// whatever it leaves there exports to a file that imports to the same
// profile again.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSandbox::Get();
    ClearProfile();
    if (!ImportRegistryIntoProfile(FuzzSandbox::Bytes(data, size)))
        return 0;
    const QByteArray exported = ExportProfileAsRegistry();
    ClearProfile();
    if (!ImportRegistryIntoProfile(exported) || ExportProfileAsRegistry() != exported)
        std::abort();
    return 0;
}
