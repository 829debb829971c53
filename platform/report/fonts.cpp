#include "platform/report/fonts.h"

namespace tarix::rpt {

namespace {
struct Substitute {
    const char *layout;
    const char *installed;
};
// Compared case-insensitively; the Windows "CE" variants name the same faces.
constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans"},
    {"Arial CE", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Arial Narrow CE", "Liberation Sans Narrow"},
    {"Arial Black", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Times New Roman CE", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier New CE", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
};
} // namespace

QString substituteFamily(const QString &layoutFamily)
{
    const QString name = layoutFamily.trimmed();
    for (const Substitute &s : kSubstitutes)
        if (name.compare(QLatin1String(s.layout), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(s.installed);
    return name;
}

QFont makeFont(const FontSpec &spec)
{
    QFont f(substituteFamily(spec.family));
    f.setPointSizeF(spec.pointSize > 0 ? spec.pointSize : 10);
    const bool black = spec.family.trimmed().startsWith(QLatin1String("Arial Black"), Qt::CaseInsensitive);
    f.setWeight(black ? QFont::Black : spec.bold ? QFont::Bold : QFont::Normal);
    f.setItalic(spec.italic);
    f.setUnderline(spec.underline);
    f.setStrikeOut(spec.strikeOut);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

} // namespace tarix::rpt
