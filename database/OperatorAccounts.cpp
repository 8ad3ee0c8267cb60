#include "database/OperatorAccounts.h"

#include "platform/MessageBox.h"

#include <QLatin1String>

namespace {

constexpr std::array<const char*, COperatorStore::kPrivilegeCount> kPrivilegeDescriptions = {
    "Work with Cardholders and Credentials\nCan Add, Modify and Delete Cardholders\nAdd and Delete Cardholder Sets\n"
    "Add, Modify and Delete Any Credential",
    "Report Generation\nCan Generate and print any report",
    "Backup and Restore\nCan Backup the current state of Wardix and all installations.\nCan Restore any backup",
    "Monitor and Control doors\nReal-time Monotor and Control of any door\nReal-time monitor of any network activity",
    "Configure the current Installation\nLearn and Delete consoles\nAll Local programming (Setup of consoles)\n"
    "Configure communication to any network\nCopy and Delete installations\nWardix setup",
    "All Global Programming\nAll options in the Global Programming screen",
};

} // namespace

std::vector<OperatorAccounts::Row> OperatorAccounts::StoredOperators()
{
    std::vector<Row> rows;
    for (int slot = 0; slot < COperatorStore::kMaxOperators; ++slot) {
        COperatorStore store;
        if (store.LoadOperator(slot))
            rows.push_back({store.GetName(), slot});
    }
    return rows;
}

std::optional<OperatorAccounts::Fields> OperatorAccounts::LoadOperatorToPage(int slot)
{
    COperatorStore store;
    if (slot == COperatorStore::kNoOperator || !store.LoadOperator(slot))
        return std::nullopt;
    Fields fields;
    fields.password = fields.confirmation = store.GetPassword();
    fields.administrator = store.IsAdministrator();
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i)
        fields.privileges[i] = store.GetPrivilege(i);
    return fields;
}

bool OperatorAccounts::SaveOperatorFromPage(int slot, const Fields& fields)
{
    COperatorStore store;
    if (!store.LoadOperator(slot))
        return false;
    if (fields.password == fields.confirmation)
        store.SetPassword(fields.password);
    else
        ShowMessageBox(QStringLiteral("The password is not entered correctly and will not be saved.\n"
                                      "Please re-enter the password."));
    bool saved = store.SetAdministrator(fields.administrator);
    for (int i = 0; i < COperatorStore::kPrivilegeCount; ++i)
        saved = store.WriteOperatorInt(COperatorStore::PrivilegeKey(i), fields.privileges[i] ? 1 : 0) && saved;
    return saved;
}

int OperatorAccounts::AddNewOperator()
{
    COperatorStore store;
    const int slot = store.AddOperator(QLatin1String(kNewOperatorName));
    if (slot == COperatorStore::kNoOperator)
        ShowMessageBox(QStringLiteral("Too many operators defined."));
    return slot;
}

bool OperatorAccounts::EndLabelEdit(int slot, const QString& text)
{
    COperatorStore store;
    if (!store.LoadOperator(slot))
        return false;
    if (!text.isEmpty()) {
        store.SetName(text);
        return false;
    }
    store.DeleteOperator();
    return true;
}

bool OperatorAccounts::DeleteOperator(int slot, int loggedInSlot)
{
    if (slot == COperatorStore::kNoOperator) {
        ShowMessageBox(QStringLiteral("Please select the operator to delete."));
        return false;
    }
    if (slot == loggedInSlot) {
        ShowMessageBox(QStringLiteral("Cannot delete the current operator."));
        return false;
    }
    COperatorStore store;
    if (!store.LoadOperator(slot) || !store.DeleteOperator()) {
        ShowMessageBox(QStringLiteral("Error deleting the selected operator."));
        return false;
    }
    return true;
}

QString OperatorAccounts::Description(int privilege)
{
    if (privilege < 0 || privilege >= COperatorStore::kPrivilegeCount)
        return QString();
    return QLatin1String(kPrivilegeDescriptions[privilege]);
}
