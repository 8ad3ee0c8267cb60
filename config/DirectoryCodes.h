#pragma once

class CSetPhoneEntries;

// The directory codes cardholders hold, as the code length sees them.
namespace DirectoryCodes {

// Whether any directory entry is given to a cardholder.
bool AnyAssigned(CSetPhoneEntries& entries);
// Pads every assigned code of another length with leading zeros to the
// length. A database error shows its description and stops the conversion;
// the rows done stay done.
void ConvertAssigned(CSetPhoneEntries& entries, int length);

} // namespace DirectoryCodes
