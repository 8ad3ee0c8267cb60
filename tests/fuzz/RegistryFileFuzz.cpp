#include "database/RegistryFile.h"
#include "platform/Profile.h"
#include "tests/fuzz/FuzzSandbox.h"

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
// The profile the export gives imported into an empty profile, exported again.
QByteArray ExportAfterImport(const QByteArray& exported)
{
    QFile::remove(Profile::Location());
    if (ImportRegistryIntoProfile(exported) != RegistryImport::Done)
        std::abort();
    return ExportProfileAsRegistry();
}
} // namespace

// A backup's "RegistyBackup.reg" imported into an empty profile on restore.
// A file may name keys nested below a section, which the program never
// writes and the export leaves out; from the first export on, export and
// import give each other back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSandbox::Get();
    QFile::remove(Profile::Location());
    if (ImportRegistryIntoProfile(FuzzSandbox::Bytes(data, size)) != RegistryImport::Done)
        return 0;
    const QByteArray settled = ExportAfterImport(ExportProfileAsRegistry());
    if (ExportAfterImport(settled) != settled)
        std::abort();
    return 0;
}
