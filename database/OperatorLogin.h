#pragma once

#include <QString>

#include <vector>

class COperatorStore;

// What the login dialog decides, apart from its widgets.
class OperatorLogin
{
public:
    struct Entry
    {
        QString name;
        int slot = -1;
        int administrator = 0;
    };

    enum class Result { Accepted, NoSelection, WrongPassword, ReadError };

    // The operators offered: those holding any right, administrator rights
    // included, in slot order.
    static std::vector<Entry> FillOperatorList();

    // No offered operator is an administrator, which includes no operator at
    // all: nobody logs in and every right is granted.
    static bool IsLoginSkipped(const std::vector<Entry>& entries);

    // Compares the entered password with the slot's, exactly; on a match the
    // application's store selects the slot. administrator gets the flag of the
    // operator read.
    static Result CheckLogin(int slot, const QString& password, COperatorStore& loggedIn, int& administrator);

    static QString MessageFor(Result result);
};
