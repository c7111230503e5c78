#pragma once
// The progress window of a long operation over many accounts: one step per
// account with its text, shown only when the work lasts; its Cancel is
// heard at the next step.
#include <QCoreApplication>
#include <QProgressDialog>

namespace ui {

class StepProgress {
public:
    StepProgress(QWidget *parent, int steps, const QString &objectName, const QString &title)
        : m_dialog(QString(), QStringLiteral("Cancel"), 0, steps, parent)
    {
        m_dialog.setObjectName(objectName);
        m_dialog.setWindowTitle(title);
        m_dialog.setAccessibleName(title + QStringLiteral(" progress"));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(300);
    }
    ~StepProgress() { m_dialog.setValue(m_dialog.maximum()); }
    StepProgress(const StepProgress &) = delete;
    StepProgress &operator=(const StepProgress &) = delete;

    // False once the user has cancelled.
    bool step(int i, const QString &text)
    {
        m_dialog.setValue(i);
        m_dialog.setLabelText(text);
        QCoreApplication::processEvents();
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
};

} // namespace ui

namespace ui {

// The progress window of one change that is made whole or not at all (an
// import, a backup, a restore): no Cancel, shown only when the work lasts.
inline void setUpWholeChangeProgress(QProgressDialog &dialog, const char *objectName, const QString &title,
                                     const QString &accessibleName)
{
    dialog.setObjectName(QString::fromLatin1(objectName));
    dialog.setWindowTitle(title);
    dialog.setAccessibleName(accessibleName);
    dialog.setCancelButton(nullptr);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(300);
}

} // namespace ui
