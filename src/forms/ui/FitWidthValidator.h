#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace cw::ui
{

// Makes a line edit that does not scroll: the user can type or paste only as much text as its
// width shows. A longer text that the program wrote stays as it is, and the user can still
// shorten it (or replace it with one no wider).
class FitWidthValidator : public QValidator
{
    Q_OBJECT
public:
    explicit FitWidthValidator(QLineEdit* edit);

    State validate(QString& text, int& cursor) const override;

    // The width in pixels that the edit shows its text in.
    static int Room(const QLineEdit* edit);

private:
    double Advance(const QString& text) const;

    QLineEdit* edit_;
    QString previous_; // the text before the change being validated
};

} // namespace cw::ui
