#include "platform/ui/display_text.h"

namespace tarix::ui {

QString lineBreaksForDisplay(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || c == u'\r') {
            out.append(u'\n');
            // A pair of different break characters is one break.
            if (i + 1 < text.size()) {
                const QChar next = text.at(i + 1);
                if ((next == u'\n' || next == u'\r') && next != c)
                    ++i;
            }
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace tarix::ui
