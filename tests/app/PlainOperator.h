#pragma once

#include "app/CWFApp.h"
#include "database/COperatorStore.h"

#include <QString>

#include <gtest/gtest.h>

// Logs a plain operator (no administrator) into app, holding only the given
// privilege; kNoPrivilege logs in one without any.
inline constexpr int kNoPrivilege = -1;

inline void LogInPlainOperator(CWFApp& app, int privilege)
{
    COperatorStore store;
    const int slot = store.AddOperator(QStringLiteral("Plain %1").arg(privilege));
    ASSERT_NE(slot, COperatorStore::kNoOperator);
    store.SetAdministrator(0);
    if (privilege != kNoPrivilege)
        store.WriteOperatorInt(COperatorStore::PrivilegeKey(privilege), 1);
    ASSERT_TRUE(app.SelectOperator(slot));
}
