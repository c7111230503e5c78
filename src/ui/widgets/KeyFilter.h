#pragma once
// Puts one of the keystroke filters on an entry box: a refused key is
// swallowed before the box sees it, and for text boxes the user is told
// why and the box keeps the focus.
#include "base/Prompt.h"

#include <QLineEdit>
#include <QLocale>
#include <QObject>

namespace ui {

class KeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Kind { Money, Text };
    // The filter belongs to the box and lives as long as it.
    static KeyFilter *install(QLineEdit *box, Kind kind, base::Prompt &prompt, const QLocale &locale);
    // A box whose text is stored in the quoted form, which has no escape for
    // a double quote: one typed or pasted is taken out again, with a beep
    // and the invalid-key message.
    static void refuseQuotes(QLineEdit *box, base::Prompt &prompt);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    KeyFilter(QLineEdit *box, Kind kind, base::Prompt &prompt, const QLocale &locale);
    QLineEdit *m_box;
    Kind m_kind;
    base::Prompt &m_prompt;
    QLocale m_locale;
};

} // namespace ui
