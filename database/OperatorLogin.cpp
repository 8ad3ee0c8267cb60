#include "database/OperatorLogin.h"

#include "database/COperatorStore.h"

#include <algorithm>

std::vector<OperatorLogin::Entry> OperatorLogin::FillOperatorList()
{
    std::vector<Entry> entries;
    for (int slot = 0; slot < COperatorStore::kMaxOperators; ++slot) {
        COperatorStore store;
        if (store.LoadOperator(slot) && store.HasAnyPrivilege())
            entries.push_back({store.GetName(), slot, store.IsAdministrator()});
    }
    return entries;
}

bool OperatorLogin::IsLoginSkipped(const std::vector<Entry>& entries)
{
    return std::none_of(entries.begin(), entries.end(), [](const Entry& e) { return e.administrator != 0; });
}

OperatorLogin::Result OperatorLogin::CheckLogin(int slot, const QString& password, COperatorStore& loggedIn,
                                                int& administrator)
{
    if (slot < 0)
        return Result::NoSelection;
    COperatorStore scratch;
    QString stored;
    if (scratch.LoadOperator(slot)) {
        stored = scratch.GetPassword();
        administrator = scratch.IsAdministrator();
    }
    if (stored != password)
        return Result::WrongPassword;
    return loggedIn.SelectOperator(slot) ? Result::Accepted : Result::ReadError;
}

QString OperatorLogin::MessageFor(Result result)
{
    switch (result) {
    case Result::NoSelection:
        return QStringLiteral("Please select an operator.");
    case Result::WrongPassword:
        return QStringLiteral("Wrong password entered.");
    case Result::ReadError:
        return QStringLiteral("Error reading the selected operator from file!\nPlease select another operator.");
    case Result::Accepted:
        break;
    }
    return QString();
}
