#pragma once

#include <span>

// The countries a network's phone number and the dialing location choose
// from. The identifier is what is stored; it never changes, and differs from
// the dialling code only where countries share a code.
struct Country
{
    int id;
    const char* name;
    int dialCode;
};

std::span<const Country> Countries();
// Null for an identifier not in the table.
const Country* FindCountry(int id);
