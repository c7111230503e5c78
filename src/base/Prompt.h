#pragma once
// How the program speaks to the user: an OK message, a Yes/No question that
// acts only on Yes, and the system beep. The program shows message boxes;
// tests answer from a script and read back every text and title.
#include <QString>

namespace base {

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual void message(const QString &text, const QString &title) = 0;
    virtual bool ask(const QString &text, const QString &title) = 0;
    virtual void beep() = 0;
};

} // namespace base
