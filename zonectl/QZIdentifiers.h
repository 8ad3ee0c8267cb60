#pragma once

#include <cstdint>

// The schedule bar's fixed identifiers. The program's schedule pages create
// the bar by kClsidQZCtrl and talk to it by these dispatch identifiers, so none
// of them may ever change. Header only: the program includes it without
// linking the control library.

namespace QZ {

inline constexpr const char* kLibidQZLib = "{3D2626DA-021F-48D4-AEFA-70D921C1A52F}";
inline constexpr const char* kIidDQZ = "{88480593-C7BE-458D-A669-C96E00BD0490}";
inline constexpr const char* kIidDQZEvents = "{752C9FA7-C861-4C71-83F1-ABC07A8EB1EA}";
inline constexpr const char* kClsidQZCtrl = "{A82FAE44-F961-43B9-88C7-C20AD10134E2}";
inline constexpr const char* kClsidQZPropPage = "{C3B0EC86-AA84-46CF-B3F3-AE9052F77D9D}";

// The standard colour and font pages the control lists after its own page.
inline constexpr const char* kClsidStockColorPage = "{0BE35201-8F91-11CE-9DE3-00AA004BB851}";
inline constexpr const char* kClsidStockFontPage = "{0BE35200-8F91-11CE-9DE3-00AA004BB851}";

inline constexpr const char* kProgIdQZCtrl = "QZ.QZCtrl.1";
inline constexpr const char* kProgIdQZPropPage = "QZ.QZPropPage.1";
inline constexpr const char* kTypeNameQZCtrl = "QZ Control";
inline constexpr const char* kTypeNameQZPropPage = "QZ Property Page";
inline constexpr const char* kTypeLibName = "QZ ActiveX Control module";
inline constexpr const char* kTypeLibVersion = "1.0";

// Set client site first, activate when visible, inside-out, cannot link
// inside, recompose on resize.
inline constexpr std::uint32_t kMiscStatus = 0x20191;
inline constexpr int kToolboxBitmap = 1;

// Persisted as the property exchange's version 1.0.
inline constexpr std::int32_t kPersistVersion = 0x10000;

enum Dispid : std::int32_t {
    DISPID_ShowTimeScale = 1,
    DISPID_lTimeZone1End = 2,
    DISPID_lTimeZone2End = 3,
    DISPID_lTimeZone3End = 4,
    DISPID_lTimeZone4End = 5,
    DISPID_lTimeZone1Begin = 6,
    DISPID_lTimeZone2Begin = 7,
    DISPID_lTimeZone3Begin = 8,
    DISPID_lTimeZone4Begin = 9,
    DISPID_ShowToolTip = 10,
    DISPID_TimeZoneNumber = 11,
    DISPID_Active = 12,
    DISPID_BACKCOLOR = -501,
    DISPID_FONT = -512,
    DISPID_FORECOLOR = -513,
    DISPID_MOUSEDOWN = -605,
};

inline constexpr int kPeriodCount = 4;

inline constexpr std::int32_t BeginDispid(int period) { return DISPID_lTimeZone1Begin + period; }
inline constexpr std::int32_t EndDispid(int period) { return DISPID_lTimeZone1End + period; }

// Persisted names, "Time Zone Numer" spelled as stored files have it.
inline constexpr const char* kPersistVersionName = "_Version";
inline constexpr const char* kPersistBackColor = "BackColor";
inline constexpr const char* kPersistForeColor = "ForeColor";
inline constexpr const char* kPersistFont = "Font";
inline constexpr const char* kPersistShowToolTip = "ShowToolTip";
inline constexpr const char* kPersistTimeZoneNumber = "Time Zone Numer";

// MouseDown's Button and Shift arguments.
inline constexpr std::int32_t kLeftButton = 1;
inline constexpr std::int32_t kRightButton = 2;
inline constexpr std::int32_t kMiddleButton = 4;
inline constexpr std::int32_t kShiftMask = 1;
inline constexpr std::int32_t kCtrlMask = 2;
inline constexpr std::int32_t kAltMask = 4;

} // namespace QZ
