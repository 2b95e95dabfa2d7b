#include "app/SettingsStore.h"

#include <QFileInfo>

namespace cw
{

SettingsStore::SettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "Conewright", "Conewright")
{
}

SettingsStore::SettingsStore(const QString& iniPath) : settings_(iniPath, QSettings::IniFormat) {}

namespace
{

int ReadInt(QSettings& s, const char* key, int fallback, int lo, int hi)
{
    bool ok = false;
    const int v = s.value(key, fallback).toInt(&ok);
    return ok && v >= lo && v <= hi ? v : fallback;
}

double ReadReal(QSettings& s, const char* key, double fallback, double lo, double hi)
{
    bool ok = false;
    const double v = s.value(key, fallback).toDouble(&ok);
    return ok && v >= lo && v <= hi ? v : fallback;
}

} // namespace

StoredState SettingsStore::Load()
{
    StoredState state;
    AppSettings& a = state.settings;
    QSettings& s = settings_;

    s.beginGroup("Preferences");
    a.units =
        ReadInt(s, "units", 0, 0, 1) == 1 ? UnitsPreference::Metric : UnitsPreference::English;
    a.openWith = static_cast<OpenWith>(ReadInt(s, "openWith", 0, 0, 2));
    a.plotBackground = ReadInt(s, "plotBackground", 0, 0, 4);
    a.printIcons = ReadInt(s, "printIcons", 0, 0, 1) == 1;
    a.printInColor = ReadInt(s, "printInColor", 0, 0, 1) == 1;
    a.colourEachSystem = ReadInt(s, "colourEachSystem", 0, 0, 1) == 1;
    a.showLegend = ReadInt(s, "showLegend", 0, 0, 1) == 1;
    a.ventVelocityLimit = ReadReal(s, "ventVelocityLimit", kDefaultVentVelocityLimit,
                                   kMinVentVelocityLimit, kMaxVentVelocityLimit);
    s.endGroup();

    s.beginGroup("TitleBlock");
    TitleBlock::Fields(a.titleBlock, [&s](const char* key, std::string& text) {
        if (s.contains(key))
            text = s.value(key).toString().toStdString();
    });
    s.endGroup();

    s.beginGroup("MainWindow");
    a.mainWindow.left = ReadInt(s, "left", 0, -100000, 100000);
    a.mainWindow.top = ReadInt(s, "top", 0, -100000, 100000);
    a.mainWindow.width = ReadInt(s, "width", 0, 0, 100000);
    a.mainWindow.height = ReadInt(s, "height", 0, 0, 100000);
    s.endGroup();

    state.lastSavedProject = s.value("Files/lastSavedProject").toString();
    for (const QString& path : s.value("Files/recent").toStringList())
        if (!path.isEmpty() && state.recentFiles.size() < kMaxRecentFiles)
            state.recentFiles.append(path);
    return state;
}

bool SettingsStore::Save(const StoredState& state)
{
    const AppSettings& a = state.settings;
    QSettings& s = settings_;

    s.beginGroup("Preferences");
    s.setValue("units", a.metric() ? 1 : 0);
    s.setValue("openWith", static_cast<int>(a.openWith));
    s.setValue("plotBackground", a.plotBackground);
    s.setValue("printIcons", a.printIcons ? 1 : 0);
    s.setValue("printInColor", a.printInColor ? 1 : 0);
    s.setValue("colourEachSystem", a.colourEachSystem ? 1 : 0);
    s.setValue("showLegend", a.showLegend ? 1 : 0);
    s.setValue("ventVelocityLimit", a.ventVelocityLimit);
    s.endGroup();

    s.beginGroup("TitleBlock");
    TitleBlock::Fields(a.titleBlock, [&s](const char* key, const std::string& text) {
        s.setValue(key, QString::fromStdString(text));
    });
    s.endGroup();

    s.beginGroup("MainWindow");
    s.setValue("left", a.mainWindow.left);
    s.setValue("top", a.mainWindow.top);
    s.setValue("width", a.mainWindow.width);
    s.setValue("height", a.mainWindow.height);
    s.endGroup();

    s.setValue("Files/lastSavedProject", state.lastSavedProject);
    s.setValue("Files/recent", state.recentFiles);
    s.sync();
    return s.status() == QSettings::NoError;
}

void AddRecentFile(QStringList& list, const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    list.removeAll(absolute);
    list.prepend(absolute);
    while (list.size() > kMaxRecentFiles)
        list.removeLast();
}

} // namespace cw
