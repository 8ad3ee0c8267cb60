#pragma once

#include "tests/fixtures/PanelSimulator.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>

// Every bank of the panel filled with bytes that differ from record to record
// and from bank to bank, so a block read at the wrong place shows.
inline void FillBanksWithPatterns(PanelSimulator& panel)
{
    for (int bank = 0; bank < PanelSimulator::kBankCount; ++bank) {
        QByteArray& memory = panel.Bank(bank);
        for (qsizetype i = 0; i < memory.size(); ++i)
            memory[i] = static_cast<char>((static_cast<std::uint32_t>(i) * 2654435761u >> 11) ^ (bank * 37));
    }
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
