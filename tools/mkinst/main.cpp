// Builds the runnable installation next to the program: TRX.INI, PRIVATE/, the year
// folders, the template firm and the demo firm. Existing databases are left alone.
#include "core/installation.h"

#include <QCoreApplication>
#include <QTextStream>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: tarix_mkinst PROGRAM_FOLDER\n";
        return 2;
    }
    try {
        const QStringList created = tarix::core::createInstallation(QString::fromLocal8Bit(argv[1]));
        QTextStream out(stdout);
        for (const QString &folder : created)
            out << "created " << folder << '\n';
    } catch (const std::exception &e) {
        err << "tarix_mkinst: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
