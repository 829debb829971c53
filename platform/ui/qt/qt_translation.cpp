#include "platform/ui/qt/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tarix::ui {

namespace {
constexpr char kTranslatorName[] = "tarixQtTranslation";
}

QTranslator *installQtTranslation(QCoreApplication &app)
{
    if (auto *installed = app.findChild<QTranslator *>(QLatin1String(kTranslatorName),
                                                       Qt::FindDirectChildrenOnly))
        return installed;
    auto *translator = new QTranslator(&app);
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
