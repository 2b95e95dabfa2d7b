#pragma once

#include "ModalAnswer.h"
#include "app/CConewrightApp.h"
#include "app/CMainFrame.h"
#include "app/ProjectWindows.h"
#include "app/SettingsStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace cw::test
{

// Presses a button of the next modal message box once it is up. Returns the box's text
// through *text when given.
inline ModalWatch AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr)
{
    return AnswerModal<QMessageBox>([button, text](QMessageBox& box) {
        if (text)
            *text = box.text();
        if (QAbstractButton* b = box.button(button))
            b->click();
        else
            ADD_FAILURE() << "the message box has no such button: " << box.text().toStdString();
    });
}

// A started application with its settings in a temporary folder.
class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override { Start(); }
    void TearDown() override { Stop(); }

    void Start(StartOptions options = NoSplash())
    {
        store = std::make_unique<SettingsStore>(dir.filePath("settings.ini"));
        app = std::make_unique<CConewrightApp>(store.get());
        ASSERT_TRUE(app->InitInstance(options));
        frame()->resize(1024, 768);
        QApplication::processEvents();
    }
    void Stop()
    {
        if (app) {
            // Nobody is there to answer the save question.
            for (ProjectWindows* p : app->projects())
                p->doc().SetModified(false);
            app->CloseAllProjects();
            app.reset();
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static StartOptions NoSplash()
    {
        StartOptions o;
        o.splash = false;
        return o;
    }
    // Lets deferred deletions and queued events run.
    static void Settle()
    {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CMainFrame* frame() const { return app->mainFrame(); }
    CSpkSysDoc& doc() const { return *app->currentDoc(); }

    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<CConewrightApp> app;
};

// The same with the main window active, so that keys reach its accelerators.
class ActiveAppFixture : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        QApplication::setActiveWindow(frame());
        frame()->activateWindow();
        QApplication::processEvents();
    }
};

} // namespace cw::test
