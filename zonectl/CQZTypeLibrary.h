#pragma once

#include <QString>

#include <cstdint>
#include <span>

// What a type library holds for the schedule bar: the library, its two
// dispatch interfaces with their members, and the control class. The
// registration writes it out for hosts to read, and the control answers
// lookups of its dispatch identifiers by name from it.
class CQZTypeLibrary
{
public:
    enum class Kind { Interface, Class };

    struct Member
    {
        const char* name;
        std::int32_t dispid;
        // Comma-separated; empty for a property.
        const char* parameters;
    };

    struct Type
    {
        Kind kind;
        const char* guid;
        const char* name;
        const char* description;
        std::span<const Member> members;
    };

    static constexpr const char* kName = "QZLib";
    static constexpr const char* kHelpFile = "QZ.hlp";

    static std::span<const Type> Types();

    // A property of the control's dispatch interface, by name without regard
    // to case, as the dispatch names were looked up; false for any other name.
    static bool DispidOfName(const QString& name, std::int32_t* dispid);
};
