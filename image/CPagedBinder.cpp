#include "image/CPagedBinder.h"

#include "image/CBindManager.h"
#include "platform/Archive.h"

int CPagedBinder::GenerateCommands(std::uint8_t nodeCode, int force)
{
    return GenerateFileCommands(FileName(), UnitSize(), Bank(), nodeCode, force);
}

int CPagedBinder::Store()
{
    return StoreFile(FileName());
}

bool CPagedBinder::OpenBinderFile(int create)
{
    return OpenUnitFile(m_manager.ControllerFolder(), FileName(), create);
}

int CPagedBinder::GenerateFileCommands(const QString& name, int unit, std::uint8_t bank, std::uint8_t nodeCode,
                                       int force)
{
    if (!OpenUnitFile(m_manager.ControllerFolder(), name, 0))
        return 0;
    const int result = m_manager.GenerateUnitCommands(File(), nodeCode, unit, bank, name, force);
    File().close();
    return result;
}

int CPagedBinder::StoreFile(const QString& name)
{
    // The copy replaces the last-programmed file in one step, so a crash
    // leaves either the old copy or the new one.
    const auto bytes = ReadWholeFile(m_manager.ControllerFolder() + QLatin1Char('/') + name);
    return bytes && WriteFileAtomically(m_manager.LastProgrammedFolder() + QLatin1Char('/') + name, *bytes) ? 1 : 0;
}
