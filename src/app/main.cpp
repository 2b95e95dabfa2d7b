#include "app/CConewrightApp.h"
#include "app/SettingsStore.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstring>
#include <memory>

namespace
{

// --help and --version only print, so they are answered without a display.
bool OnlyPrints(int argc, char* argv[])
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        for (const char* option : {"-h", "--help", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> app =
        OnlyPrints(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                               : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName("Conewright");
    QCoreApplication::setOrganizationName("Conewright");
    QCoreApplication::setApplicationVersion(QStringLiteral(CW_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(CW_APP_ID));

    QCommandLineParser parser;
    parser.setApplicationDescription("Loudspeaker design workbench");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({"no-splash", "Start without the start-up picture."});
    parser.addPositionalArgument("file", "A project (.spk) or driver file (.dvr) to open.",
                                 "[file]");
    parser.process(*app);

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
