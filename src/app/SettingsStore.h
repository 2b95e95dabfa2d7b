#pragma once

#include "model/AppSettings.h"

#include <QSettings>
#include <QString>
#include <QStringList>

namespace cw
{

// What the application remembers between runs: the preferences, the title block, the main
// window's rectangle, the last saved project and the recent files.
struct StoredState {
    AppSettings settings;
    QString lastSavedProject;
    QStringList recentFiles; // newest first
};

inline constexpr int kMaxRecentFiles = 4;

// Reads and writes StoredState through QSettings. Values out of range read as their defaults,
// so a hand-edited or damaged settings file never reaches the windows.
class SettingsStore
{
public:
    // The user's settings file of the program.
    SettingsStore();
    // A settings file at a given path (tests).
    explicit SettingsStore(const QString& iniPath);

    StoredState Load();
    // False when the settings could not be written.
    bool Save(const StoredState& state);

private:
    QSettings settings_;
};

// Puts path first in the recent-file list, without duplicates, at most kMaxRecentFiles.
void AddRecentFile(QStringList& list, const QString& path);

} // namespace cw
