#include "app/CConewrightApp.h"
#include "app/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Conewright");
    QApplication::setOrganizationName("Conewright");
    QApplication::setApplicationVersion(QStringLiteral(CW_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription("Loudspeaker design workbench");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({"no-splash", "Start without the start-up picture."});
    parser.addPositionalArgument("file", "A project (.spk) or driver file (.dvr) to open.",
                                 "[file]");
    parser.process(app);

    cw::StartOptions options;
    options.splash = !parser.isSet("no-splash");
    if (!parser.positionalArguments().isEmpty())
        options.projectFile = parser.positionalArguments().first();

    cw::SettingsStore store;
    cw::CConewrightApp workbench(&store);
    if (!workbench.InitInstance(options))
        return 1;
    return QApplication::exec();
}
