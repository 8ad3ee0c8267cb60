#pragma once

#include "database/COperatorStore.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// What the Operators page does with the stored accounts, apart from its widgets.
class OperatorAccounts
{
public:
    static constexpr const char* kNewOperatorName = "New Name";

    struct Fields
    {
        QString password;
        QString confirmation;
        int administrator = 0;
        std::array<int, COperatorStore::kPrivilegeCount> privileges{};
    };

    struct Row
    {
        QString name;
        int slot = COperatorStore::kNoOperator;
    };

    // Every stored operator, in slot order.
    static std::vector<Row> StoredOperators();

    static std::optional<Fields> LoadOperatorToPage(int slot);
    // The password is stored only when it matches its confirmation; the
    // administrator flag and the rights always are.
    static bool SaveOperatorFromPage(int slot, const Fields& fields);

    // A new row: an operator stored as "New Name"; -1 (after saying so) when
    // all slots are in use.
    static int AddNewOperator();
    // The end of a label edit: a name is stored, an empty one deletes the
    // operator. True when the operator was deleted.
    static bool EndLabelEdit(int slot, const QString& text);
    // The Delete button: refuses the operator who is logged in.
    static bool DeleteOperator(int slot, int loggedInSlot);

    static QString Description(int privilege);
};
