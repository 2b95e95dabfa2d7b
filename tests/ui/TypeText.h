#pragma once

#include <QLineEdit>
#include <QString>
#include <QTest>

namespace cw::test
{

// Replaces a field's text the way a user does: select all, then type key by key (an empty text
// deletes the selection).
inline void TypeText(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

} // namespace cw::test
