#pragma once

#include "app/CWFDoc.h"
#include "tests/fixtures/PanelLine.h"

#include <QFile>

#include <gtest/gtest.h>

#include <initializer_list>

// Each panel's banks hold what the installation's files say.
inline void ExpectPanelBanksEqualTheFiles(const CWFDoc& doc, PanelLine& line, std::initializer_list<int> nodes)
{
    for (int node : nodes) {
        SCOPED_TRACE(node);
        const auto file = [&](const QString& name) {
            QFile f(doc.BuildPath(CWFDoc::kVestrels, name));
            EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            return f.readAll();
        };
        line.WithNode(node, [&](PanelSimulator& panel) {
            const auto expectBank = [&](int bank, const QByteArray& bytes) {
                SCOPED_TRACE(bank);
                EXPECT_EQ(panel.Bank(bank).left(bytes.size()), bytes);
            };
            expectBank(0, file(QStringLiteral("Vestrel1%1.dat").arg(node)));
            expectBank(1, file("Cardholders.dat"));
            expectBank(3, file("BlockTransmitters.dat"));
            expectBank(4, file("BlockCards.dat"));
        });
    }
}
