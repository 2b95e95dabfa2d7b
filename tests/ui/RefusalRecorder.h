#pragma once

#include "forms/ui/FieldBinder.h"

#include <QStringList>

namespace cw::test
{

// Records the binders' refusal messages instead of showing the modal box, while it lives.
class RefusalRecorder
{
public:
    RefusalRecorder()
        : previous_(ui::FieldBinder::SetRefusalSink(
              [this](QWidget*, const QString& message) { messages.push_back(message); }))
    {
    }
    ~RefusalRecorder() { ui::FieldBinder::SetRefusalSink(std::move(previous_)); }
    RefusalRecorder(const RefusalRecorder&) = delete;
    RefusalRecorder& operator=(const RefusalRecorder&) = delete;

    QStringList messages;

private:
    ui::FieldBinder::RefusalSink previous_;
};

} // namespace cw::test
