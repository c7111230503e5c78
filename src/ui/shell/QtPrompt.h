#pragma once
// Messages and questions in modal message boxes, over the window in front.
#include "base/Prompt.h"

namespace ui {

class QtPrompt final : public base::Prompt {
public:
    void message(const QString &text, const QString &title) override;
    bool ask(const QString &text, const QString &title) override;
    void beep() override;
};

} // namespace ui
