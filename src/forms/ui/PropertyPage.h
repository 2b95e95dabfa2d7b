#pragma once

#include "forms/ui/FieldBinder.h"

#include <QSet>
#include <QString>
#include <QWidget>

namespace cw::ui
{

// One tab page of a property sheet. Its fields are bound through its binder; the sheet starts the
// page when it first shows, activates it whenever it becomes the page showing, asks it before it
// is left, and tells every page that has been started how the sheet closed.
class PropertyPage : public QWidget
{
    Q_OBJECT
public:
    explicit PropertyPage(const QString& caption, QWidget* parent = nullptr);

    const QString& caption() const { return caption_; }
    FieldBinder* binder() const { return binder_; }
    bool started() const { return started_; }

    // The page-modified mark: set by the user's edits of bound fields (fields excluded here
    // apart), cleared when the page stores on leaving.
    bool isModified() const { return modified_; }
    void SetModified(bool modified = true) { modified_ = modified; }
    void ExcludeFromModifiedMark(QWidget* field) { unmarked_.insert(field); }

    // The sheet's calls. Activate starts the page the first time; Leave is false when the page
    // refuses to be left; Close reaches only pages that have been started.
    void Activate();
    bool Leave();
    void Close(bool accepted);

protected:
    // The first time the page shows: loads every field.
    virtual void OnStart();
    // Every time the page becomes the page showing, after OnStart the first time: reloads every
    // field, except the first time.
    virtual void OnActivate(bool first);
    // The page is about to be left (another page, or OK): stores every field; false keeps the
    // page, with the focus on the refused field.
    virtual bool OnLeave();
    // The sheet closed with OK (after the page showing has stored) or with Cancel.
    virtual void OnOK() {}
    virtual void OnCancel() {}

private:
    QString caption_;
    FieldBinder* binder_;
    QSet<QWidget*> unmarked_;
    bool started_ = false;
    bool modified_ = false;
};

} // namespace cw::ui
