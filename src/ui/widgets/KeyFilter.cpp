#include "ui/widgets/KeyFilter.h"

#include "base/FieldRoutines.h"
#include "base/ValueList.h"

#include <QKeyEvent>

using namespace base;

namespace ui {

KeyFilter::KeyFilter(QLineEdit *box, Kind kind, Prompt &prompt, const QLocale &locale)
    : QObject(box), m_box(box), m_kind(kind), m_prompt(prompt), m_locale(locale)
{
}

KeyFilter *KeyFilter::install(QLineEdit *box, Kind kind, Prompt &prompt, const QLocale &locale)
{
    auto *filter = new KeyFilter(box, kind, prompt, locale);
    box->installEventFilter(filter);
    return filter;
}

void KeyFilter::refuseQuotes(QLineEdit *box, Prompt &prompt)
{
    QObject::connect(box, &QLineEdit::textEdited, box, [box, &prompt](const QString &text) {
        if (valuelist::canQuote(text))
            return;
        const int cursor = box->cursorPosition();
        const int before = int(text.left(cursor).count(valuelist::kQuote));
        QString kept = text;
        kept.remove(valuelist::kQuote);
        box->setText(kept);
        box->setCursorPosition(cursor - before);
        prompt.beep();
        prompt.message(fields::invalidKeyText(valuelist::kQuote), QString::fromLatin1(fields::kInvalidKeyTitle));
    });
}

bool KeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_box || event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const QString typed = key->text();
    // Keys that type nothing (arrows, Delete, shortcuts) and backspace pass.
    if (typed.size() != 1 || key->key() == Qt::Key_Backspace || (key->modifiers() & Qt::ControlModifier))
        return false;
    const QChar c = typed.at(0);
    if (!c.isPrint())
        return false;
    const QString current = m_box->text();
    QChar accepted;
    if (m_kind == Kind::Money) {
        accepted = fields::moneyKeyFilter(c, current);
    } else {
        accepted = fields::textKeyFilter(c, current, m_prompt, m_locale);
        if (accepted.isNull())
            m_box->setFocus();
    }
    return accepted.isNull();
}

} // namespace ui
