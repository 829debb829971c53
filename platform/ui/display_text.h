#pragma once
#include <QString>

namespace tarix::ui {

// The program's texts break lines with "\n\r", "\r\n" or a lone "\n" or "\r"; Qt's
// text widgets want plain "\n". Each such break becomes one "\n".
QString lineBreaksForDisplay(const QString &text);

} // namespace tarix::ui
