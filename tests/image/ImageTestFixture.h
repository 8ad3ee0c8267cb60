#pragma once

#include "image/CVLMemory.h"
#include "image/NetworkPasswords.h"
#include "tests/support/TestEnvironment.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

// A temporary controller folder and fresh process-wide password tables for each test.
class ImageTest : public ::testing::Test
{
protected:
    void SetUp() override { NetworkPasswords::Reset(); }
    void TearDown() override { NetworkPasswords::Reset(); }

    QString Folder() const { return m_env.Root(); }
    QString PathOf(const QString& name) const { return m_env.Path(name); }
    bool WriteBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadBytes(const QString& name) const;

    static constexpr FirmwareVersion kVersion = {'0', '0', '1'};

private:
    TestEnvironment m_env;
};

// The text at offset, as many bytes as text has.
QByteArray ImageText(const CVLMemory& memory, int offset, qsizetype length);
