#pragma once

#include "common/IOperatorRights.h"

#include <QString>

#include <array>
#include <map>

// The operator accounts kept for the whole computer in the scrambled
// "Operators.ini" of the program folder. One object holds one slot at a time;
// the file is never kept open between operations.
class COperatorStore : public IOperatorRights
{
public:
    static constexpr int kMaxOperators = 20;
    static constexpr int kPrivilegeCount = 6;
    static constexpr int kNoOperator = -1;

    COperatorStore();
    virtual ~COperatorStore();

    // True when the slot holds an operator (a non-empty name); otherwise the
    // store is left with no operator.
    bool LoadOperator(int slot);
    // -1 selects nobody (every right) without reading the file.
    bool SelectOperator(int slot);
    // Writes name, password and administrator flag of the slot.
    bool SaveOperator();

    int ReadOperatorInt(const QString& key) const;
    bool WriteOperatorInt(const QString& key, int value);

    bool SetName(const QString& name);
    bool SetPassword(const QString& password);
    bool SetAdministrator(int administrator);

    // The lowest free slot, stored with the name and no rights; -1 when all
    // slots are in use.
    int AddOperator(const QString& name);
    // Frees the slot; the store then holds no operator.
    bool DeleteOperator();

    int GetSlot() const { return m_nSlot; }
    const QString& GetName() const { return m_strName; }
    const QString& GetPassword() const { return m_strPassword; }
    int GetPrivilege(int privilege) const;
    int IsAdministrator() const override { return m_bAdministrator; }
    bool HasPrivilege(int privilege) const override;
    bool HasAnyPrivilege() const;

    static QString GetFilePath();
    static QString PrivilegeKey(int privilege);

private:
    using SlotValues = std::map<QString, QString>;
    // Writes the values into the slot's section through a plain working copy
    // and puts the scrambled result in place.
    bool WriteSlot(const SlotValues& values) const;
    SlotValues RecordValues(bool withPrivileges) const;
    void Clear();

    int m_nSlot = kNoOperator;
    QString m_strName;
    QString m_strPassword;
    std::array<int, kPrivilegeCount> m_privileges{};
    int m_bAdministrator = 1;
};
