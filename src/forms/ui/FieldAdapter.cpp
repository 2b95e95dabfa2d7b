#include "forms/ui/FieldAdapter.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace cw::ui
{

FieldAdapter::FieldAdapter(QLineEdit* edit) : line_(edit) {}
FieldAdapter::FieldAdapter(QPlainTextEdit* edit) : lines_(edit) {}

QWidget* FieldAdapter::widget() const
{
    if (line_)
        return line_;
    return lines_;
}

QString FieldAdapter::text() const
{
    if (line_)
        return line_->text();
    // The raw text keeps no-break spaces, which the plain text would turn into blanks; only the
    // paragraph and line separators become line ends.
    QString text = lines_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void FieldAdapter::setText(const QString& text) const
{
    if (text == this->text())
        return;
    if (line_)
        line_->setText(text);
    else
        lines_->setPlainText(text);
}

void FieldAdapter::setReadOnly(bool readOnly) const
{
    if (line_)
        line_->setReadOnly(readOnly);
    else
        lines_->setReadOnly(readOnly);
}

void FieldAdapter::onChanged(QObject* context, std::function<void()> handler) const
{
    if (line_)
        QObject::connect(line_, &QLineEdit::textChanged, context, [handler] { handler(); });
    else
        QObject::connect(lines_, &QPlainTextEdit::textChanged, context, handler);
}

} // namespace cw::ui
