#include "forms/ui/FitWidthValidator.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace cw::ui
{

namespace
{

// The blank a line edit keeps on each side of its text, and the caret's width after it.
constexpr int kSideMargin = 2;
constexpr int kCaret = 1;

} // namespace

FitWidthValidator::FitWidthValidator(QLineEdit* edit)
    : QValidator(edit), edit_(edit), previous_(edit->text())
{
    // Validation sees the new text only; the one before comes from here.
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        previous_ = text;
        // A text the program wrote shows from its start, also when it is too long to show whole.
        if (!edit_->isModified())
            edit_->setCursorPosition(0);
    });
    edit->setValidator(this);
}

int FitWidthValidator::Room(const QLineEdit* edit)
{
    // The same rectangle the edit draws its text in, less the margins it keeps.
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect contents = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                               .marginsRemoved(edit->textMargins());
    return contents.width() - 2 * kSideMargin;
}

double FitWidthValidator::Advance(const QString& text) const
{
    return std::round(QFontMetricsF(edit_->font()).horizontalAdvance(text)) + kCaret;
}

QValidator::State FitWidthValidator::validate(QString& text, int&) const
{
    // The program's own write (the field is not modified then) is taken whole.
    if (!edit_->isModified())
        return Acceptable;
    const double advance = Advance(text);
    if (advance <= Room(edit_) || advance <= Advance(previous_))
        return Acceptable;
    return Invalid;
}

} // namespace cw::ui
