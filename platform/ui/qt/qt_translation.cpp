#include "platform/ui/qt/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tarix::ui {

namespace {

constexpr char kTranslatorName[] = "tarixQtTranslation";

// Debian's Slovak catalogue still files the standard buttons' texts under QDialogButtonBox,
// where Qt 5 and 6 ask for them under QPlatformTheme; without this the buttons stay English.
class QtTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (text.isEmpty() && qstrcmp(context, "QPlatformTheme") == 0)
            text = QTranslator::translate("QDialogButtonBox", sourceText, disambiguation, n);
        return text;
    }
};

} // namespace

QTranslator *installQtTranslation(QCoreApplication &app)
{
    if (auto *installed = app.findChild<QTranslator *>(QLatin1String(kTranslatorName),
                                                       Qt::FindDirectChildrenOnly))
        return installed;
    auto *translator = new QtTranslator(&app);
    translator->setObjectName(QLatin1String(kTranslatorName));
    // "qt_sk" pulls in qtbase_sk and the other modules' files the system has.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qt"),
                          QStringLiteral("_"), folder)
        || !QCoreApplication::installTranslator(translator)) {
        qWarning("Qt's Slovak translation was not found in %s", qPrintable(folder));
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace tarix::ui
