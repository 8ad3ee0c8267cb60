#include "helpbridge/PosixObjectNames.h"

std::string PosixSharedObjectName(std::string_view objectName)
{
    std::string name = "/";
    for (char c : objectName)
        name.push_back(c == '/' ? '_' : c);
    return name;
}
