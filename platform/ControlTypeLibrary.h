#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// A control library's type library as its registration describes it: there
// is no type library file, the registration carries what one would hold.
struct ControlTypeLibrary
{
    struct Member
    {
        std::int32_t dispid = 0;
        QString name;
        // An event's or method's parameters; none for a property.
        QStringList parameters;
    };

    // A dispatch interface with its members, or a class with none.
    struct Type
    {
        QString name;
        QString description;
        // In ascending order of dispatch identifier.
        QList<Member> members;
    };

    QString name;
    QString description;
    QString helpFile;
    QString helpDir;
    // The library that holds it.
    QString path;
};
