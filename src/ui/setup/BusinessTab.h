#pragma once
// The setup screen's "Business Info" tab: the nine business texts and the
// address style. Every box edits the live settings as it is typed in.
#include "context/AppContext.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {

class BusinessTab : public QWidget {
    Q_OBJECT
public:
    explicit BusinessTab(context::AppContext &ctx, QWidget *parent = nullptr);

    // The boxes show the live values.
    void fill();
    // Shows the style's labels, boxes and widths; toggled by the user to
    // the international style, the postal code is emptied.
    void showAddressStyle(setup::AddressStyle style, bool toggled);
    void focusFirst();

private:
    QLayout *buildCommands();
    void toggleAddressStyle();
    void resetBusinessData();
    void reloadBusinessData();
    void showPreview();

    context::AppContext &m_ctx;
    std::array<QLineEdit *, 9> m_business{};
    std::array<QLabel *, 9> m_labels{};
    QLabel *m_postalNote = nullptr;
    QLabel *m_preview = nullptr; // the heading as it will stand on a page
    QPushButton *m_addressStyle = nullptr;
};

} // namespace ui
