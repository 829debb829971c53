// Builds the runnable installation next to the program: TRX.INI, PRIVATE/, the year
// folders, the template firm and the demo firm with its payrolls of January to March 2007.
// Existing databases are left alone (a demo firm that exists gets no payrolls here).
// With --server CONNINFO the tables go to schemas of that database server instead, and
// TRX.INI names the server. --without-demo-payrolls leaves the demo firm without payrolls.
#include "core/installation.h"
#include "tools/mkinst/demo_payrolls.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <exception>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    tarix::core::InstallationOptions options;
    if (args.removeAll(QStringLiteral("--without-demo-payrolls")) > 0)
        options.demoPayrolls = false;
    QString server;
    if (args.size() == 3 && args[0] == QLatin1String("--server")) {
        server = args[1];
        args = args.mid(2);
    }
    if (args.size() != 1 || args[0].startsWith(u'-')) {
        err << "usage: tarix_mkinst [--server CONNINFO] [--without-demo-payrolls] PROGRAM_FOLDER\n";
        return 2;
    }
    try {
        const QStringList created =
            server.isEmpty()
                ? tarix::core::createInstallation(args[0], options, tarix::installation::createDemoPayrolls)
                : tarix::core::createServerInstallation(server, args[0], options, tarix::installation::createDemoPayrolls);
        QTextStream out(stdout);
        for (const QString &made : created)
            out << "created " << made << '\n';
    } catch (const std::exception &e) {
        err << "tarix_mkinst: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
