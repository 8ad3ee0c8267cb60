#pragma once

// The rights of the operator logged in; the operator store implements it.
class IOperatorRights
{
public:
    virtual ~IOperatorRights() = default;

    virtual int IsAdministrator() const = 0;
    virtual bool HasPrivilege(int privilege) const = 0;
};
