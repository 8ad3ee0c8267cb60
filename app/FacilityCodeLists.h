#pragma once

#include <QString>

// The facility-code values that the current row of a program-wide credential
// recordset selects ("FacCode Sel A" to "D"), read from the open
// installation's settings image and joined by ", "; empty with no installation.
QString FormatXmtrBlockFacCodes();
QString FormatXmtrFacCodes();
QString FormatCardFacCodes();
QString FormatCardBlockFacCodes();
