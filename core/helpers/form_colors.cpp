#include "core/helpers/form_colors.h"

#include <QColor>
#include <QObject>
#include <QPalette>
#include <QVariant>

namespace tarix::MyConsts {

namespace {

const QString kSection = QStringLiteral("COLOR");

// The design colours the roles stand for.
constexpr int kDesignPole1 = 0x008080;
constexpr int kDesignPole2 = 0x008000;

// The widget's colour is its palette (data side: through the widget's properties).
void setBackground(QObject *w, int value, bool field)
{
    const QColor colour(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    QPalette palette = w->property("palette").value<QPalette>();
    if (field) {
        palette.setColor(QPalette::Base, colour);
        if (w->inherits("QComboBox"))
            palette.setColor(QPalette::Button, colour);
    } else {
        palette.setColor(QPalette::Window, colour);
        // A grid's background is that of its cells.
        if (w->inherits("QAbstractItemView"))
            palette.setColor(QPalette::Base, colour);
        w->setProperty("autoFillBackground", true);
    }
    w->setProperty("palette", QVariant::fromValue(palette));
}

void applyColors(QObject *w, const FormColors &colors)
{
    const QString role = w->property(kColorRoleProperty).toString();
    if (role.isEmpty())
        return;
    int colour = -1;
    bool set = false;
    const bool field = role != QLatin1String("Pozadie");
    if (field) {
        colour = role == QLatin1String("Pole1") ? kDesignPole1 : kDesignPole2;
        if (colors.pole1 != -1 && colour == kDesignPole1) {
            colour = colors.pole1;
            set = true;
        }
        if (colors.pole2 != -1 && colour == kDesignPole2) {
            colour = colors.pole2;
            set = true;
        }
    } else if (colors.pozadie != -1) {
        colour = colors.pozadie;
        set = true;
    }
    if (set && colour >= 0 && colour <= 0xFFFFFF)
        setBackground(w, colour, field);
}

} // namespace

FormColors readFormColors(const ini::IniFile &ini)
{
    return {ini.readInteger(kSection, QStringLiteral("Pole1"), -1),
            ini.readInteger(kSection, QStringLiteral("Pole2"), -1),
            ini.readInteger(kSection, QStringLiteral("Pozadie"), -1)};
}

void Nastav_farby_formulara(QObject *form, const FormColors &colors)
{
    if (!form || colors == FormColors{})
        return;
    try {
        applyColors(form, colors);
        for (QObject *w : form->findChildren<QObject *>())
            applyColors(w, colors);
    } catch (...) {
        // Colours are cosmetic: the window opens with what it has.
    }
}

} // namespace tarix::MyConsts
