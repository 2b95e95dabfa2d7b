#include "forms/ui/FieldAdapter.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace cw::ui
{

FieldAdapter::FieldAdapter(QLineEdit* edit) : line_(edit) {}
FieldAdapter::FieldAdapter(QPlainTextEdit* edit) : lines_(edit) {}
FieldAdapter::FieldAdapter(QCheckBox* box) : check_(box) {}

QWidget* FieldAdapter::widget() const
{
    if (line_)
        return line_;
    if (lines_)
        return lines_;
    return check_;
}

QString FieldAdapter::text() const
{
    if (line_)
        return line_->text();
    if (lines_) {
        // The raw text keeps no-break spaces, which the plain text would turn into blanks; only
        // the paragraph and line separators become line ends.
        QString text = lines_->document()->toRawText();
        text.replace(QChar::ParagraphSeparator, u'\n');
        text.replace(QChar::LineSeparator, u'\n');
        return text;
    }
    return check_->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

void FieldAdapter::setText(const QString& text) const
{
    if (text == this->text())
        return;
    if (line_)
        line_->setText(text);
    else if (lines_)
        lines_->setPlainText(text);
    else
        check_->setChecked(text == u"1");
}

void FieldAdapter::setReadOnly(bool readOnly) const
{
    if (line_)
        line_->setReadOnly(readOnly);
    else if (lines_)
        lines_->setReadOnly(readOnly);
    else
        check_->setEnabled(!readOnly); // a check box cannot be read-only and still look active
}

void FieldAdapter::onChanged(QObject* context, std::function<void()> handler) const
{
    if (line_)
        QObject::connect(line_, &QLineEdit::textChanged, context, [handler] { handler(); });
    else if (lines_)
        QObject::connect(lines_, &QPlainTextEdit::textChanged, context, handler);
    else
        QObject::connect(check_, &QCheckBox::toggled, context, [handler] { handler(); });
}

} // namespace cw::ui
