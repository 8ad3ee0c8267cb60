#include "database/DefaultDisplayMessages.h"

namespace
{
constexpr DisplayMessageDefault kDefaults[kDisplayMessagesPerSet] = {
    {"QUORIN ACCESS", 1},    {"TELEPHONE ENTRY", 0},  {"HOLD # IN TO", 0},       {"SEE DIRECTORY", 0},
    {"# TO GO FORWARD", 0},  {"* TO GO BACKWARD", 0}, {"OR ENTER CODE ON", 0},   {"KEYPAD TO DIAL", 1},
    {"PRESS * IF BUSY", 1},  {"OR NO ANSWER", 1},     {"SYSTEM", 1},             {"IS DIALING", 1},
    {"THANKS FOR USING", 0}, {"QUORIN SYSTEMS", 1},   {"ACCESS GRANTED", 1},     {"PLEASE ENTER NOW", 0},
    {"SYSTEM IN USE", 1},    {"", 0},                 {"INVALID", 1},            {"CODE", 1},
    {"LINE NOW FREE", 1},    {"PRESS # TO DIAL", 0},  {"LINE IS IN USE", 1},     {"TRY AGAIN LATER", 1},
    {"LINE IS", 1},          {"STILL BUSY", 1},       {"PLEASE TRY", 1},         {"AGAIN LATER", 1},
    {"NOW", 1},              {"TRY AGAIN", 1},        {"WAITING", 1},            {"FOR ANSWER", 1},
    {"SORRY", 1},            {"CANNOT DIAL NUMBER", 0}, {"34", 0},               {"35", 0},
    {"36", 0},               {"37", 0},               {"38", 0},                 {"ENTER CODE:", 0},
};
} // namespace

const DisplayMessageDefault* DefaultDisplayMessages(int index)
{
    if (index < 1 || index > kDisplayMessagesPerSet)
        return nullptr;
    return &kDefaults[index - 1];
}
