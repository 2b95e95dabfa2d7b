#pragma once

#include <QString>
#include <functional>

class QLineEdit;
class QObject;
class QPlainTextEdit;
class QWidget;

namespace cw::ui
{

// A field widget seen as text, the way the binder and its policies deal with every field: a line
// edit's text, a multi-line field's text with LF line ends.
class FieldAdapter
{
public:
    FieldAdapter(QLineEdit* edit);
    FieldAdapter(QPlainTextEdit* edit);

    QWidget* widget() const;
    QString text() const;
    // Writes the text; an unchanged text is left alone, so that the cursor and the undo history
    // stay where they are.
    void setText(const QString& text) const;
    void setReadOnly(bool readOnly) const;
    // Calls handler on every change of the content, the program's own writes included.
    void onChanged(QObject* context, std::function<void()> handler) const;

private:
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
};

} // namespace cw::ui
