#pragma once
// The window colours of the colour section of TRX.INI ("COLOR": Pole1, Pole2, Pozadie) and
// the routine that gives them to a window's widgets by their colour role.
//
// A widget's role is the text of its property "tarixColorRole" ("Pole1", "Pole2",
// "Pozadie"), set by the screen builder from a screen description (dbctrl::ColorRole) or by
// a window for the widgets it makes by hand. Each role stands for the design colour the
// setting replaces: Pole1 the first kind of input field, Pole2 the second, Pozadie the
// background of pages, grids and scroll areas.
#include "platform/ini/ini_file.h"

class QObject;

namespace tarix::MyConsts {

inline constexpr const char *kColorRoleProperty = "tarixColorRole";

// Colour numbers $00BBGGRR; -1 leaves the widgets of the role alone.
struct FormColors {
    int pole1 = -1;
    int pole2 = -1;
    int pozadie = -1;
    bool operator==(const FormColors &) const = default;
};

// The three values of section "COLOR": decimal, or hexadecimal as "$8000" or "0x8000"; a
// missing or unreadable value is -1.
FormColors readFormColors(const ini::IniFile &ini);

// Gives every widget under `form` (the form included) that has a colour role its colour:
// input fields Pole1, then Pole2 (a field of the first kind whose new colour is the
// second kind's design colour $008000 goes on to Pole2, as the settings always worked),
// backgrounds Pozadie. Values outside $000000..$FFFFFF leave the widget alone. Never fails:
// an error ends the recolouring, and the widgets keep the colours set so far.
void Nastav_farby_formulara(QObject *form, const FormColors &colors);

} // namespace tarix::MyConsts
